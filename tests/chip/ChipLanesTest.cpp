#include "chip/ChipLanes.h"
#include "chip/RandomCircuits.h"

#include <random>

// 64 lanes of random composites run beside 64 copies of the chip itself,
// every output of every lane compared after every call: each lane with
// inputs of its own, new before each of the first 8 calls, then held until
// twice the rest limit has passed, and again after a restart. A lane said to
// be at rest once its inputs are held shows no change after, and comes to
// rest within the limit or never.
TEST(ChipLanes, EveryLaneRunsAsTheChipItselfCallByCall) {
    constexpr int64_t CHANGING = 8;
    for (uint32_t seed = 1; seed <= 1000 && !HasFatalFailure(); ++seed) {
        RandomCircuits random(seed);
        std::mt19937_64 bits(seed);
        const ChipLogic chip = random.chip(random.pick(1, 5)).logic;
        ChipLanes lanes(chip);
        for (const bool restarted : {false, true}) {
            if (restarted) lanes.restart();
            std::vector<ChipLogic> copies(ChipLanes::LANES, chip);
            ChipLanes::Word resting = 0;
            for (int64_t call = 1; call <= CHANGING + 2 * lanes.restLimit(); ++call) {
                for (int32_t pin = 0; pin < chip.inputCount() && call <= CHANGING; ++pin) {
                    const ChipLanes::Word values = bits();
                    lanes.setInput(pin, values);
                    for (int32_t lane = 0; lane < ChipLanes::LANES; ++lane) copies[lane].setInput(pin, (values >> lane) & 1);
                }
                const ChipLanes::Word changed = lanes.evaluate();
                for (ChipLogic& copy : copies) copy.evaluate();
                const std::string what = "seed " + std::to_string(seed) + ", call " + std::to_string(call) + (restarted ? ", restarted" : "");
                for (int32_t pin = 0; pin < chip.outputCount(); ++pin)
                    for (int32_t lane = 0; lane < ChipLanes::LANES; ++lane)
                        ASSERT_EQ((lanes.output(pin) >> lane) & 1, copies[lane].output(pin)) << what << ", lane " << lane << ", output " << pin;
                if (call <= CHANGING) continue;
                ASSERT_EQ(changed & resting, 0u) << what << ": a lane at rest changed";
                if (call > CHANGING + lanes.restLimit()) {
                    ASSERT_EQ(~changed & ~resting, 0u) << what << ": a lane came to rest late";
                }
                resting |= ~changed;
            }
        }
    }
}
