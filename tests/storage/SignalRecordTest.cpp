#include "storage/SignalRecord.h"

#include <gtest/gtest.h>

namespace {

// Two signals whose value at each step is known without a record.
bool every3rd(int64_t step) { return step % 3 == 0; }
bool oddBits(int64_t step) { return __builtin_popcountll(static_cast<uint64_t>(step)) & 1; }

}  // namespace

// Far more steps than it keeps: the record holds the last 100 and no more
// memory, each read back at any alignment, and nothing older.
TEST(SignalRecord, KeepsTheLastStepsInTheMemoryItStartedWith) {
    SignalRecord record(100);
    record.addSignal("a"), record.addSignal("b");
    const size_t bytes = record.bytes();
    for (int64_t step = 0; step < 10'000; ++step) record.append({every3rd(step), oddBits(step)});
    EXPECT_EQ(record.bytes(), bytes);
    EXPECT_EQ(bytes, 2u * 2 * 8);
    ASSERT_EQ(record.firstStep(), 9'900);
    for (int64_t from = 9'830; from < 10'010; ++from) {
        uint64_t a = 0, b = 0;
        for (int64_t step = std::max<int64_t>(from, 9'900); step < std::min<int64_t>(from + 64, 10'000); ++step)
            a |= uint64_t{every3rd(step)} << (step - from), b |= uint64_t{oddBits(step)} << (step - from);
        ASSERT_EQ(record.bits(0, from), a) << from;
        ASSERT_EQ(record.bits(1, from), b) << from;
    }
}

// Pins come and go between steps: a new one has values from the next step
// on, a removed one takes its history, and the others keep theirs by place.
TEST(SignalRecord, SignalsInsertedAndRemovedBetweenSteps) {
    SignalRecord record(64);
    record.addSignal("in0"), record.addSignal("out0");
    record.append({true, false}), record.append({true, true});
    record.insertSignal(1, "in1");
    EXPECT_THROW(record.append({true, true}), std::invalid_argument);
    record.append({false, true, true});
    record.removeSignal(0);
    EXPECT_EQ(record.name(0), "in1");
    EXPECT_EQ(record.since(0), 2);
    EXPECT_EQ(record.bits(0, 0), 0b100u);
    EXPECT_EQ(record.bits(1, 0), 0b110u);
}
