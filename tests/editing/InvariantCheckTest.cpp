// The invariant checks that the random-use runs rely on: each one must see
// a broken state, and none may complain about a sound one.

#include "support/AppDriver.h"
#include "support/Invariants.h"

#include <gtest/gtest.h>

namespace {

class InvariantCheckTest : public ::testing::Test {
protected:
    // A board with an AND fed from input 0 and feeding output 0, saved as "gate".
    void buildSmallCircuit() {
        andId = driver.placeChip("AND", sf::Vector2f(400.f, 300.f));
        notId = driver.placeChip("NOT", sf::Vector2f(700.f, 500.f));
        driver.wireInputToChip(0, andId);
        driver.wireChipToOutput(andId, 0);
        driver.wireChipToChip(notId, andId);
        driver.saveAs("gate");
        driver.frame();
    }

    Wire& wireTo(int32_t toChip) {
        for (Wire& wire : app.wires)
            if (wire.connection.toChip == toChip) return wire;
        throw std::logic_error("no such wire");
    }

    Chip& boardChip(int32_t id) {
        for (Chip& chip : app.boardChips)
            if (chip.id() == id) return chip;
        throw std::logic_error("no such chip");
    }

    AppDriver driver;
    App& app = driver.app();
    int32_t andId = 0;
    int32_t notId = 0;
};

TEST_F(InvariantCheckTest, FreshAndEditedBoardsKeepEveryInvariant) {
    EXPECT_EQ(findViolation(app), "");
    buildSmallCircuit();
    EXPECT_EQ(app.library.size(), 3u);
    EXPECT_EQ(findViolation(app), "");
    const int32_t gateId = driver.placeChip("gate", sf::Vector2f(900.f, 300.f));
    driver.saveAs("outer");
    driver.setInput(0, true);
    driver.frames(3);
    EXPECT_EQ(findViolation(app), "");
    // A wire under way, from a chip, previewing a target.
    driver.pressConnect();
    driver.click(driver.chipPoint(notId));
    driver.click(driver.chipPoint(gateId), sf::Mouse::Right);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_EQ(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesBoardPinsOutOfStep) {
    app.inputCircles.push_back(app.inputCircles.front());
    EXPECT_NE(findViolation(app), "");
    app.inputCircles.pop_back();
    app.boardOutputs.push_back(false);
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesInputCirclesThatDoNotShowTheirInput) {
    app.boardInputs[0].value = true;
    EXPECT_NE(findViolation(app), "");
    app.inputCircles[0].setFillColor(sf::Color::Green);
    EXPECT_EQ(findViolation(app), "");
    app.boardInputs[0].clocked = true;
    EXPECT_NE(findViolation(app), "");
    app.inputCircles[0].setOutlineThickness(5.f);
    EXPECT_EQ(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesACircleOutOfTheColumnLayout) {
    app.outputCircles[0].move(0.f, 1.f);
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesAnUnfinishedWireWhereNoneBelongs) {
    buildSmallCircuit();
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    EXPECT_EQ(findViolation(app), "");
    app.wiringState = WiringState::Armed;
    EXPECT_NE(findViolation(app), "");
    app.wiringState = WiringState::ChoosingTarget;
    // The wire under way must be the last one.
    app.wires.push_back(app.wires.front());
    EXPECT_NE(findViolation(app), "");
    app.wires.pop_back();
    // And there must be one.
    app.wires.pop_back();
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesWiresToPinsThatDoNotExist) {
    buildSmallCircuit();
    wireTo(0).connection.toPin = 1;
    EXPECT_NE(findViolation(app), "");
    wireTo(0).connection.toPin = 0;
    wireTo(andId).connection.toPin = 2;
    EXPECT_NE(findViolation(app), "") << "an AND has inputs 0 and 1 only";
    wireTo(andId).connection.toPin = 0;
    app.wires.front().connection.fromPin = 1;
    EXPECT_NE(findViolation(app), "") << "there is one board input";
    app.wires.front().connection.fromPin = 0;
    wireTo(0).connection.fromChip = 12;
    EXPECT_NE(findViolation(app), "") << "no chip has id 12";
    wireTo(0).connection.fromChip = andId;
    EXPECT_EQ(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesACompleteWireWithoutTarget) {
    buildSmallCircuit();
    wireTo(andId).connection.toChip = Wire::NO_TARGET;
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesAWireThatDoesNotRunBetweenItsPins) {
    buildSmallCircuit();
    const sf::Vector2f source = app.wires.front().sourcePoint();
    app.wires.front().setSourcePoint(source + sf::Vector2f(0.f, 1.f));
    EXPECT_NE(findViolation(app), "");
    app.wires.front().setSourcePoint(source);
    EXPECT_EQ(findViolation(app), "");
    // A chip moved without its wires.
    boardChip(andId).moveTo(boardChip(andId).body().getPosition() + sf::Vector2f(5.f, 0.f));
    EXPECT_NE(findViolation(app), "");
    driver.frame();
    EXPECT_EQ(findViolation(app), "");
}

TEST_F(InvariantCheckTest, TheLastWireIsCheckedOnceItHadAFrameToSettle) {
    buildSmallCircuit();
    InvariantChecker checker;
    EXPECT_EQ(checker.check(app), "");
    app.wires.back().setTargetPoint(sf::Vector2f(3.f, 3.f));
    EXPECT_EQ(findViolation(app), "") << "it may have been completed in this frame";
    EXPECT_NE(checker.check(app), "") << "it was complete at the last check";
}

// A press on "Save" with no name ends the frame before the wires follow their
// pins, so a wire completed on a chip in the frame before still ends where
// the mouse was.
TEST_F(InvariantCheckTest, AFrameEndedByTheSaveButtonSettlesNoWire) {
    InvariantChecker checker;
    const int32_t id = driver.placeChip("AND", sf::Vector2f(400.f, 300.f));
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    driver.press(driver.chipPoint(id));
    ASSERT_TRUE(app.wires.back().complete);
    const Chip& chip = *app.boardChips.find(id);
    EXPECT_NE(app.wires.back().targetPoint(), chip.inputPinPosition(0));
    EXPECT_EQ(checker.check(app), "");
    driver.press(AppDriver::centreOf(app.saveButton().rect));
    EXPECT_NE(app.wires.back().targetPoint(), chip.inputPinPosition(0));
    EXPECT_EQ(checker.check(app), "");
    driver.frame();
    EXPECT_EQ(app.wires.back().targetPoint(), chip.inputPinPosition(0));
    EXPECT_EQ(checker.check(app), "");
}

TEST_F(InvariantCheckTest, SeesAPinFedTwice) {
    buildSmallCircuit();
    app.wires.push_back(wireTo(0));
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesAPinThatHoldsAValueNoWireGaveIt) {
    buildSmallCircuit();
    boardChip(notId).setInput(0, true);
    EXPECT_NE(findViolation(app), "");
    boardChip(notId).setInput(0, false);
    driver.click(AppDriver::centreOf(app.addOutputButton().rect));
    ASSERT_EQ(app.boardOutputs.size(), 2u);
    app.boardOutputs[1] = true;
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesBoardChipsThatShareAnIdOrHaveNone) {
    buildSmallCircuit();
    boardChip(notId).setId(andId);
    EXPECT_NE(findViolation(app), "");
    boardChip(andId).setId(9999);
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesAChipOutsideTheBoardThatIsNotDragged) {
    buildSmallCircuit();
    ASSERT_EQ(app.draggedChipId, 0);
    boardChip(notId).moveTo(sf::Vector2f(1870.f, 500.f));
    EXPECT_NE(findViolation(app), "");
    app.draggedChipId = notId;
    EXPECT_EQ(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesADraggedChipThatWasNeverOnTheBoard) {
    InvariantChecker checker;
    EXPECT_EQ(checker.check(app), "");
    const int32_t id = driver.placeChip("NOT", sf::Vector2f(300.f, 300.f));
    EXPECT_EQ(checker.check(app), "");
    driver.click(driver.chipPoint(id), sf::Mouse::Right);
    app.draggedChipId = id;  // removed while dragged
    EXPECT_EQ(checker.check(app), "");
    app.draggedChipId = id == LAST_CHIP_ID ? id - 1 : id + 1;
    EXPECT_NE(checker.check(app), "");
    app.draggedChipId = 5;
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesTwoPaletteEntriesOfOneName) {
    app.library.push_back(app.library[1]);
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesAChipWithoutOneCirclePerPin) {
    app.library[1].buildShapes(sf::Vector2f(100.f, 1010.f), app.font, 1, 1);
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesAPaletteChipThatWasEvaluated) {
    app.library[1].setInput(1, true);
    EXPECT_NE(findViolation(app), "");
}

TEST_F(InvariantCheckTest, SeesANameLongerThanTheBoxTakes) {
    app.nameBox.setName(std::string(21, 'a'));
    EXPECT_NE(findViolation(app), "");
}

// Saved chips with broken inner connections, at the top and deeper down.
class SavedCircuitCheckTest : public InvariantCheckTest {
protected:
    ChipLogic gate(ChipKind kind, int32_t id) {
        ChipLogic chip(kind);
        chip.setId(id);
        return chip;
    }

    void addEntry(const std::vector<ChipLogic>& subChips, const std::vector<Connection>& connections,
                  int32_t inputs = 1, int32_t outputs = 1) {
        const sf::FloatRect last = app.library.back().body().getGlobalBounds();
        app.library.emplace_back(static_cast<ChipKind>(app.library.size()),
                                 sf::Vector2f(last.left + last.width + 15.f, last.top), app.font,
                                 "c" + std::to_string(app.library.size()), subChips, connections, inputs, outputs);
    }
};

TEST_F(SavedCircuitCheckTest, SoundConnectionsPass) {
    addEntry({gate(NOT_CHIP, 20000), gate(AND_CHIP, 20001)},
             {{0, 0, 20000, 0}, {20000, 0, 20001, 1}, {20001, 0, 0, 1}, {0, 1, Wire::NO_TARGET, 0}}, 2, 2);
    EXPECT_EQ(findViolation(app), "");
}

TEST_F(SavedCircuitCheckTest, SeesPinsTheChipItselfDoesNotHave) {
    addEntry({}, {{0, 1, 0, 0}});
    EXPECT_NE(findViolation(app), "");
    app.library.pop_back();
    addEntry({}, {{0, 0, 0, 1}});
    EXPECT_NE(findViolation(app), "");
}

TEST_F(SavedCircuitCheckTest, SeesPinsASubChipDoesNotHave) {
    addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 1}});
    EXPECT_NE(findViolation(app), "");
    app.library.pop_back();
    addEntry({gate(AND_CHIP, 20000)}, {{20000, 1, 0, 0}});
    EXPECT_NE(findViolation(app), "");
}

TEST_F(SavedCircuitCheckTest, SeesSubChipsThatDoNotExist) {
    addEntry({gate(NOT_CHIP, 20000)}, {{20001, 0, 0, 0}});
    EXPECT_NE(findViolation(app), "");
    app.library.pop_back();
    addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20002, 0}});
    EXPECT_NE(findViolation(app), "");
}

TEST_F(SavedCircuitCheckTest, ThePinsOfTheFirstSubChipWithTheIdCount) {
    addEntry({gate(NOT_CHIP, 20000), gate(AND_CHIP, 20000)}, {{0, 0, 20000, 1}});
    EXPECT_NE(findViolation(app), "");
}

TEST_F(SavedCircuitCheckTest, SeesBrokenConnectionsDeepDown) {
    const ChipLogic broken(5, {gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 3}}, 1, 1);
    ChipLogic middle(6, {broken}, {{0, 0, broken.id(), 0}}, 1, 1);
    middle.setId(30000);
    addEntry({middle}, {{0, 0, 30000, 0}, {30000, 0, 0, 0}});
    const std::string violation = findViolation(app);
    EXPECT_NE(violation, "");
    EXPECT_NE(violation.find("sub-chip"), std::string::npos) << violation;
}

TEST_F(SavedCircuitCheckTest, TheCheckerLooksAgainWhenAnEntryIsReplaced) {
    InvariantChecker checker;
    addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 0}, {20000, 0, 0, 0}});
    app.library.back().setId(31000);
    EXPECT_EQ(checker.check(app), "");
    // Same place, kind and name; a new id, as every saved chip draws one.
    app.library.pop_back();
    addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 0}, {20000, 0, 0, 5}});
    app.library.back().setId(31001);
    EXPECT_NE(checker.check(app), "");
}

}  // namespace
