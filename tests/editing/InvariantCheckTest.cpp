// The invariant checks that the random-use runs rely on: each one must see
// a broken state, and none may complain about a sound one.

#include "support/AppDriver.h"
#include "support/Invariants.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A board with an AND fed from input 0 and from a NOT and feeding output 0,
// saved as "gate".
struct Board {
    AppDriver driver;
    App& app = driver.app();
    int32_t andId = driver.placeChip("AND", sf::Vector2f(400.f, 300.f));
    int32_t notId = driver.placeChip("NOT", sf::Vector2f(700.f, 500.f));

    Board() {
        driver.wireInputToChip(0, andId);
        driver.wireChipToOutput(andId, 0);
        driver.wireChipToChip(notId, andId);
        driver.saveAs("gate");
        driver.frame();
    }

    Connection& wireTo(int32_t toChip) {
        for (Wire& wire : app.wires)
            if (wire.connection.toChip == toChip) return wire.connection;
        throw std::logic_error("no such wire");
    }

    Chip& chip(int32_t id) { return *app.boardChips.find(id); }

    void startWireAtInput() {
        driver.pressConnect();
        driver.click(driver.inputPoint(0));
    }

    // A saved chip of the given inner circuit, appended to the palette.
    void addEntry(const std::vector<ChipLogic>& subChips, const std::vector<Connection>& connections) {
        const sf::FloatRect last = app.library.back().body().getGlobalBounds();
        app.library.emplace_back(static_cast<ChipKind>(app.library.size()),
                                 sf::Vector2f(last.left + last.width + 15.f, last.top), app.font,
                                 "c" + std::to_string(app.library.size()), subChips, connections, 1, 1);
    }
};

ChipLogic gate(ChipKind kind, int32_t id) {
    ChipLogic chip(kind);
    chip.setId(id);
    return chip;
}

}  // namespace

TEST(InvariantCheckTest, SeesEachBrokenInvariant) {
    const struct {
        const char* what;
        std::function<void(Board&)> breakIt;
    } cases[] = {
        {"an input circle too many", [](Board& c) { c.app.inputCircles.push_back(c.app.inputCircles[0]); }},
        {"an output without a circle", [](Board& c) { c.app.boardOutputs.push_back(false); }},
        {"an input circle not showing its value", [](Board& c) { c.app.boardInputs[0].value = true; }},
        {"a clocked input without its ring", [](Board& c) { c.app.boardInputs[0].clocked = true; }},
        {"a circle out of the column layout", [](Board& c) { c.app.outputCircles[0].move(0.f, 1.f); }},
        {"a wire under way while merely armed",
         [](Board& c) {
             c.startWireAtInput();
             c.app.wiringState = WiringState::Armed;
         }},
        {"the wire under way not the last",
         [](Board& c) {
             c.startWireAtInput();
             c.app.wires.push_back(c.app.wires.front());
         }},
        {"no wire under way while choosing a target", [](Board& c) { c.startWireAtInput(); c.app.wires.pop_back(); }},
        {"a wire to an output that does not exist", [](Board& c) { c.wireTo(0).toPin = 1; }},
        {"a wire to an AND's input 2", [](Board& c) { c.wireTo(c.andId).toPin = 2; }},
        {"a wire from an input that does not exist", [](Board& c) { c.app.wires.front().connection.fromPin = 1; }},
        {"a wire from a chip that does not exist", [](Board& c) { c.wireTo(0).fromChip = 12; }},
        {"a complete wire without target", [](Board& c) { c.wireTo(c.andId).toChip = Wire::NO_TARGET; }},
        {"a wire off its source pin",
         [](Board& c) {
             Wire& wire = c.app.wires.front();
             wire.setSourcePoint(wire.sourcePoint() + sf::Vector2f(0.f, 1.f));
         }},
        {"a chip moved without its wires",
         [](Board& c) { c.chip(c.andId).moveTo(c.chip(c.andId).body().getPosition() + sf::Vector2f(5.f, 0.f)); }},
        {"a pin fed twice", [](Board& c) { c.app.wires.push_back(c.app.wires.back()); }},
        {"a chip input no wire gave its 1", [](Board& c) { c.chip(c.notId).setInput(0, true); }},
        {"an output no wire gave its 1", [](Board& c) { c.driver.setPinCounts(1, 2); c.app.boardOutputs[1] = true; }},
        {"two board chips of one id", [](Board& c) { c.chip(c.notId).setId(c.andId); }},
        {"a board chip id out of range", [](Board& c) { c.chip(c.andId).setId(9999); }},
        {"a chip outside the board, not dragged",
         [](Board& c) { c.chip(c.notId).moveTo(sf::Vector2f(1870.f, 500.f)); }},
        {"a dragged id that names no chip", [](Board& c) { c.app.draggedChipId = 5; }},
        {"two palette entries of one name", [](Board& c) { c.app.library.push_back(c.app.library[1]); }},
        {"a chip without one circle per pin",
         [](Board& c) { c.app.library[1].buildShapes(sf::Vector2f(100.f, 1010.f), c.app.font, 1, 1); }},
        {"a palette chip that was evaluated", [](Board& c) { c.app.library[1].setInput(1, true); }},
        {"a name longer than the box takes", [](Board& c) { c.app.nameBox.setName(std::string(21, 'a')); }},
        // Saved chips with broken inner connections, at the top and deeper down.
        {"a saved chip reading its input 1", [](Board& c) { c.addEntry({}, {{0, 1, 0, 0}}); }},
        {"a saved chip writing its output 1", [](Board& c) { c.addEntry({}, {{0, 0, 0, 1}}); }},
        {"a saved NOT's input 1", [](Board& c) { c.addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 1}}); }},
        {"a saved AND's output 1", [](Board& c) { c.addEntry({gate(AND_CHIP, 20000)}, {{20000, 1, 0, 0}}); }},
        {"reading a sub-chip that does not exist",
         [](Board& c) { c.addEntry({gate(NOT_CHIP, 20000)}, {{20001, 0, 0, 0}}); }},
        {"writing a sub-chip that does not exist",
         [](Board& c) { c.addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20002, 0}}); }},
        {"the pins of a later sub-chip with the id",
         [](Board& c) {
             c.addEntry({gate(NOT_CHIP, 20000), gate(AND_CHIP, 20000)}, {{0, 0, 20000, 1}});
         }},
        {"a broken connection two levels down",
         [](Board& c) {
             const ChipLogic broken(5, {gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 3}}, 1, 1);
             ChipLogic middle(6, {broken}, {{0, 0, broken.id(), 0}}, 1, 1);
             middle.setId(30000);
             c.addEntry({middle}, {{0, 0, 30000, 0}, {30000, 0, 0, 0}});
         }},
    };
    for (const auto& broken : cases) {
        Board board;
        ASSERT_EQ(findViolation(board.app), "") << "before breaking it: " << broken.what;
        broken.breakIt(board);
        EXPECT_NE(findViolation(board.app), "") << broken.what;
    }
}

// What the checker remembers from frame to frame.
TEST(InvariantCheckTest, TheCheckerRemembersWhatWasOnTheBoard) {
    Board c;
    InvariantChecker checker;
    EXPECT_EQ(checker.check(c.app), "");

    // The last wire is checked once it had a frame to settle: it may have
    // been completed in this frame.
    const sf::Vector2f target = c.app.wires.back().targetPoint();
    c.app.wires.back().setTargetPoint(sf::Vector2f(3.f, 3.f));
    EXPECT_EQ(findViolation(c.app), "");
    EXPECT_NE(checker.check(c.app), "");
    c.app.wires.back().setTargetPoint(target);

    // A chip removed while dragged may stay dragged; an id never on the board not.
    c.driver.removeChip(c.notId);
    c.app.draggedChipId = c.notId;
    EXPECT_EQ(checker.check(c.app), "");
    c.app.draggedChipId = c.notId == LAST_CHIP_ID ? c.notId - 1 : c.notId + 1;
    EXPECT_NE(checker.check(c.app), "");
    c.app.draggedChipId = 0;

    // A press on "Save" with no name ends the frame before the wires follow
    // their pins: a wire completed on a chip the frame before still ends where
    // the mouse was.
    c.driver.pressConnect();
    c.driver.click(c.driver.inputPoint(0));
    c.driver.press(c.driver.chipPoint(c.andId));
    ASSERT_TRUE(c.app.wires.back().complete);
    const sf::Vector2f pin = c.chip(c.andId).inputPinPosition(1);
    EXPECT_NE(c.app.wires.back().targetPoint(), pin);
    EXPECT_EQ(checker.check(c.app), "");
    c.driver.press(AppDriver::centreOf(c.app.saveButton().rect));
    EXPECT_NE(c.app.wires.back().targetPoint(), pin);
    EXPECT_EQ(checker.check(c.app), "");
    c.driver.frame();
    EXPECT_EQ(c.app.wires.back().targetPoint(), pin);
    EXPECT_EQ(checker.check(c.app), "");

    // A palette entry replaced in place (same place, kind and name, a new
    // id) is looked at again.
    c.addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 0}, {20000, 0, 0, 0}});
    c.app.library.back().setId(31000);
    EXPECT_EQ(checker.check(c.app), "");
    c.app.library.pop_back();
    c.addEntry({gate(NOT_CHIP, 20000)}, {{0, 0, 20000, 0}, {20000, 0, 0, 5}});
    c.app.library.back().setId(31001);
    EXPECT_NE(checker.check(c.app), "");
}
