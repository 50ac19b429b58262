// Saving the board as a composite chip under the name in the name box, as a
// user does it with the mouse and the keyboard, frame by frame.

#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Everything on the board that a save must leave as it is, as text, so a
// difference shows in the failure message.
std::string describeBoard(const App& app) {
    std::ostringstream out;
    for (const Chip& chip : app.boardChips) {
        out << "chip " << chip.id() << " kind " << chip.kind() << " at "
            << chip.body().getPosition().x << ',' << chip.body().getPosition().y << " in";
        for (int32_t pin = 0; pin < chip.inputCount(); ++pin) out << ' ' << chip.input(pin);
        out << " out";
        for (int32_t pin = 0; pin < chip.outputCount(); ++pin) out << ' ' << chip.output(pin);
        out << '\n';
    }
    for (const Wire& wire : app.wires) {
        const Connection& c = wire.connection;
        out << "wire " << c.fromChip << ' ' << c.fromPin << ' ' << c.toChip << ' ' << c.toPin
            << (wire.complete ? " complete" : " under way");
        for (std::size_t end = 0; end < 2; ++end)
            out << " (" << wire.line[end].position.x << ',' << wire.line[end].position.y << ' '
                << wire.line[end].color.toInteger() << ')';
        out << '\n';
    }
    for (const BoardInput& input : app.boardInputs)
        out << "input " << input.value << ' ' << input.clocked << '\n';
    for (std::size_t i = 0; i < app.boardOutputs.size(); ++i)
        out << "output " << app.boardOutputs[i] << ' '
            << app.outputCircles[i].getFillColor().toInteger() << '\n';
    out << "wiring " << static_cast<int>(app.wiringState) << " dragging " << app.draggedChipId;
    return out.str();
}

sf::Vector2f rightEdgeOf(const Chip& entry) {
    const sf::FloatRect bounds = entry.body().getGlobalBounds();
    return sf::Vector2f(bounds.left + bounds.width, bounds.top);
}

}  // namespace

class SavingTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    void typeName(const std::string& name) {
        driver.click(AppDriver::centreOf(app.nameBox.rect()));
        driver.typeText(std::u32string(name.begin(), name.end()));
    }
    sf::Vector2f saveButton() const { return AppDriver::centreOf(app.saveButton().rect); }

    // Picks up a chip with the left button and, still holding it, presses
    // "Save": whether the press lets the frame go on shows in whether the
    // drag moves the chip towards the mouse in that frame. Returns where the
    // chip stands after that frame.
    sf::Vector2f positionAfterSaveWhileDragging(int32_t chip) {
        driver.press(driver.chipPoint(chip));
        EXPECT_EQ(app.draggedChipId, chip);
        driver.press(saveButton());
        return driver.boardChip(chip).body().getPosition();
    }

    // Places `name`, wires board inputs 0.. to its inputs and its outputs to
    // board outputs 0..; the board must have pins enough.
    int32_t placeAndWire(const std::string& name, sf::Vector2f at) {
        const int32_t chip = driver.placeChip(name, at);
        for (int pin = 0; pin < driver.boardChip(chip).inputCount(); ++pin)
            driver.wireInputToChipPin(pin, chip, pin);
        for (int pin = 0; pin < driver.boardChip(chip).outputCount(); ++pin)
            driver.wireChipPinToOutput(chip, pin, pin);
        return chip;
    }

    bool lampWithInput(bool value) {
        driver.setInput(0, value);
        driver.frames(10);
        return driver.lamp(0);
    }
};

TEST_F(SavingTest, EmptyNameSavesNothingAndEndsTheFrame) {
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    EXPECT_EQ(positionAfterSaveWhileDragging(chip), sf::Vector2f(400.f, 400.f));
    EXPECT_EQ(app.library.size(), 2u);
    EXPECT_EQ(app.draggedChipId, chip);
    // The frame after it moves the chip: the drag was still on.
    driver.frame();
    EXPECT_NE(driver.boardChip(chip).body().getPosition(), sf::Vector2f(400.f, 400.f));
}

TEST_F(SavingTest, SavingANewNameLetsTheFrameGoOnAndReplacingEndsIt) {
    const int32_t chip = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    typeName("ONE");
    const sf::Vector2f before = driver.boardChip(chip).body().getPosition();
    EXPECT_NE(positionAfterSaveWhileDragging(chip), before) << "moved by the same frame";
    EXPECT_EQ(app.library.size(), 3u);
    EXPECT_EQ(app.nameBox.name(), "");
    driver.release(saveButton());

    driver.dragChip(chip, sf::Vector2f(400.f, 400.f));
    typeName("ONE");
    EXPECT_EQ(positionAfterSaveWhileDragging(chip), sf::Vector2f(400.f, 400.f));
    EXPECT_EQ(app.library.size(), 3u);
    EXPECT_EQ(app.library.back().kind(), 3) << "replaced";
}

TEST_F(SavingTest, NewChipsJoinThePaletteRowFifteenPixelsRightOfTheLastEntry) {
    driver.saveAs("FIRST");
    ASSERT_EQ(app.library.size(), 3u);
    const Chip& first = app.library[2];
    EXPECT_EQ(first.kind(), 2);
    EXPECT_EQ(first.name(), "FIRST");
    EXPECT_EQ(first.body().getPosition(), rightEdgeOf(app.library[1]) + sf::Vector2f(15.f, 0.f));
    EXPECT_EQ(first.body().getPosition(), sf::Vector2f(193.f, 1010.f));

    driver.saveAs("SECOND");
    ASSERT_EQ(app.library.size(), 4u);
    EXPECT_EQ(app.library[3].kind(), 3);
    EXPECT_EQ(app.library[3].body().getPosition(),
              rightEdgeOf(app.library[2]) + sf::Vector2f(15.f, 0.f));
}

TEST_F(SavingTest, BoardWithOneNotSavesItsChipAndWiresInWireOrderWithPinsAtZero) {
    const int32_t x = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    driver.wireInputToChip(0, x);
    driver.wireChipToOutput(x, 0);
    driver.frames(3);
    ASSERT_TRUE(driver.boardChip(x).output(0)) << "the NOT shows 1 on the board";
    driver.saveAs("INV");

    const Chip& saved = app.library.back();
    EXPECT_EQ(saved.inputCount(), 1);
    EXPECT_EQ(saved.outputCount(), 1);
    ASSERT_EQ(saved.subChipCount(), 1);
    const ChipLogic part = saved.subChip(0);
    EXPECT_EQ(part.kind(), NOT_CHIP);
    EXPECT_EQ(part.id(), x);
    ASSERT_EQ(part.inputCount(), 1);
    ASSERT_EQ(part.outputCount(), 1);
    EXPECT_FALSE(part.input(0));
    EXPECT_FALSE(part.output(0)) << "saved with its pins at 0";
    EXPECT_EQ(saved.connections(), (std::vector<Connection>{{0, 0, x, 0}, {x, 0, 0, 0}}));

    // Drawn again, the wire from the input comes last.
    const Wire& fromInput = app.wires.front();
    driver.holdRight((fromInput.line[0].position + fromInput.line[1].position) * 0.5f);
    ASSERT_EQ(app.wires.size(), 1u);
    driver.wireInputToChip(0, x);
    driver.saveAs("INV2");
    EXPECT_EQ(app.library.back().connections(),
              (std::vector<Connection>{{x, 0, 0, 0}, {0, 0, x, 0}}));
}

TEST_F(SavingTest, BoardWithOnlyPinsSavesAChipWithThosePinsAndNothingInside) {
    driver.setPinCounts(3, 2);
    driver.saveAs("PINS");
    const Chip& saved = app.library.back();
    EXPECT_EQ(saved.name(), "PINS");
    EXPECT_EQ(saved.inputCount(), 3);
    EXPECT_EQ(saved.outputCount(), 2);
    EXPECT_EQ(saved.subChipCount(), 0);
    EXPECT_TRUE(saved.connections().empty());
}

TEST_F(SavingTest, SavingTwiceFindsTheBoxEmptyAndTypingTheNameAgainReplacesTheEntry) {
    driver.saveAs("A");
    driver.saveAs("B");
    const int32_t firstA = app.library[2].id();
    const int32_t firstB = app.library[3].id();
    driver.click(saveButton());
    ASSERT_EQ(app.library.size(), 4u) << "the second press found no name";
    EXPECT_EQ(app.library[3].id(), firstB);

    const sf::Vector2f appendAt = rightEdgeOf(app.library[3]) + sf::Vector2f(15.f, 0.f);
    driver.setPinCounts(2, 1);
    driver.saveAs("A");
    ASSERT_EQ(app.library.size(), 4u);
    const Chip& replaced = app.library[2];
    EXPECT_EQ(replaced.name(), "A");
    EXPECT_NE(replaced.id(), firstA);
    EXPECT_EQ(replaced.kind(), 4) << "the palette's size";
    EXPECT_EQ(replaced.inputCount(), 2);
    EXPECT_EQ(replaced.body().getPosition(), appendAt);
    EXPECT_EQ(app.nameBox.name(), "A") << "the name stays in the box";

    // The last entry is still B, so the next new chip stands where A went.
    typeName("\b");  // a backspace empties the box
    driver.saveAs("C");
    EXPECT_EQ(app.library.back().body().getPosition(), appendAt);
}

TEST_F(SavingTest, SavingUnderAndReplacesThePrimitiveButAndChipsOnTheBoardStillWork) {
    driver.setPinCounts(2, 1);
    const int32_t gate = driver.placeChip("AND", sf::Vector2f(400.f, 400.f));
    driver.wireInputToChip(0, gate);
    driver.wireInputToChip(1, gate);
    driver.wireChipToOutput(gate, 0);
    driver.saveAs("AND");

    ASSERT_EQ(app.library.size(), 2u);
    EXPECT_EQ(app.library[1].name(), "AND");
    EXPECT_EQ(app.library[1].kind(), 2);
    EXPECT_EQ(app.library[1].subChipCount(), 1);
    EXPECT_EQ(app.library[1].body().getPosition(), sf::Vector2f(193.f, 1010.f));
    EXPECT_EQ(driver.boardChip(gate).kind(), AND_CHIP);
    for (const bool a : {false, true})
        for (const bool b : {false, true}) {
            driver.setInput(0, a);
            driver.setInput(1, b);
            driver.frames(3);
            EXPECT_EQ(driver.lamp(0), a && b) << a << ' ' << b;
        }
}

// The board: input 0 into a NOT whose output wire is still under way.
TEST_F(SavingTest, WireUnderWayWithoutATargetIsSavedAsAConnectionThatWritesNothing) {
    const int32_t inverter = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    driver.wireInputToChip(0, inverter);
    driver.pressConnect();
    driver.click(driver.chipPoint(inverter));
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    driver.saveAs("OPEN");
    EXPECT_EQ(app.library.back().connections(),
              (std::vector<Connection>{{0, 0, inverter, 0}, {inverter, 0, -1, 0}}));

    driver.pressConnect();
    driver.removeChip(inverter);
    placeAndWire("OPEN", sf::Vector2f(400.f, 400.f));
    EXPECT_FALSE(lampWithInput(false));
    EXPECT_FALSE(lampWithInput(true));
}

// The board: input 0 into one NOT, a second NOT into output 0, and the wire
// between the two under way, previewed on the second.
TEST_F(SavingTest, WireUnderWayWithAPreviewedTargetIsSavedAsAWorkingConnection) {
    const int32_t first = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    const int32_t second = driver.placeChip("NOT", sf::Vector2f(700.f, 400.f));
    driver.wireInputToChip(0, first);
    driver.wireChipToOutput(second, 0);
    driver.pressConnect();
    driver.click(driver.chipPoint(first));
    driver.click(driver.chipPoint(second), sf::Mouse::Right);
    ASSERT_EQ(app.wires.back().connection, (Connection{first, 0, second, 0}));
    // On the board the previewed wire carries nothing.
    driver.frames(5);
    ASSERT_TRUE(driver.boardChip(first).output(0));
    EXPECT_FALSE(driver.boardChip(second).input(0));
    EXPECT_TRUE(driver.lamp(0));
    driver.saveAs("TWICE");

    driver.pressConnect();
    driver.removeChip(first);
    driver.removeChip(second);
    placeAndWire("TWICE", sf::Vector2f(400.f, 400.f));
    EXPECT_TRUE(lampWithInput(true));
    EXPECT_FALSE(lampWithInput(false));
}

TEST_F(SavingTest, SavingLeavesTheBoardAsItWas) {
    driver.setPinCounts(2, 2);
    const int32_t first = driver.placeChip("NOT", sf::Vector2f(400.f, 300.f));
    const int32_t second = driver.placeChip("NOT", sf::Vector2f(700.f, 300.f));
    const int32_t gate = driver.placeChip("AND", sf::Vector2f(700.f, 600.f));
    driver.wireInputToChip(1, first);
    driver.wireChipToChip(first, second);
    driver.wireChipToOutput(second, 1);
    driver.wireInputToOutput(0, 0);
    driver.setInput(0, true);
    driver.pressConnect();
    driver.click(driver.chipPoint(first));
    driver.click(driver.chipPoint(gate), sf::Mouse::Right);
    typeName("SNAPSHOT");
    driver.moveTo(saveButton());
    driver.frames(5);

    const std::string before = describeBoard(app);
    driver.click(saveButton());
    ASSERT_EQ(app.library.size(), 3u);
    EXPECT_EQ(describeBoard(app), before);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
}
