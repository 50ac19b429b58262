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
        out << "chip " << chip.id() << ' ' << chip.kind() << " at " << chip.body().getPosition().x << ','
            << chip.body().getPosition().y << " pins";
        for (int32_t pin = 0; pin < chip.inputCount(); ++pin) out << ' ' << chip.input(pin);
        for (int32_t pin = 0; pin < chip.outputCount(); ++pin) out << ' ' << chip.output(pin);
        out << '\n';
    }
    for (const Wire& wire : app.wires) {
        const Connection& c = wire.connection;
        out << "wire " << c.fromChip << ' ' << c.fromPin << ' ' << c.toChip << ' ' << c.toPin << ' '
            << wire.complete;
        for (std::size_t end = 0; end < 2; ++end)
            out << " (" << wire.line[end].position.x << ',' << wire.line[end].position.y << ' '
                << wire.line[end].color.toInteger() << ')';
        out << '\n';
    }
    for (const BoardInput& input : app.boardInputs) out << "input " << input.value << input.clocked << '\n';
    for (std::size_t i = 0; i < app.boardOutputs.size(); ++i)
        out << "output " << app.boardOutputs[i] << ' ' << app.outputCircles[i].getFillColor().toInteger() << '\n';
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

    // Places `name`, wires board inputs 0.. to its inputs and its outputs to
    // board outputs 0..; the board must have pins enough.
    int32_t placeAndWire(const std::string& name, sf::Vector2f at) {
        const int32_t chip = driver.placeChip(name, at);
        for (int pin = 0; pin < driver.boardChip(chip).inputCount(); ++pin)
            driver.wire(0, pin, chip, pin);
        for (int pin = 0; pin < driver.boardChip(chip).outputCount(); ++pin)
            driver.wire(chip, pin, 0, pin);
        return chip;
    }

    bool lampWithInput(bool value) {
        driver.setInput(0, value);
        driver.frames(10);
        return driver.lamp(0);
    }
};

// Only a save that appends lets the frame go on, which shows in whether the
// drag moves the chip in the frame of the press on "Save".
TEST_F(SavingTest, AnEmptyNameOrAReplacementEndsTheFrameAndANewNameLetsItGoOn) {
    const sf::Vector2f home(400.f, 400.f);
    const int32_t chip = driver.placeChip("NOT", home);
    const struct {
        const char* name;
        bool goesOn;
        std::size_t paletteSize;
    } saves[] = {{"", false, 2}, {"ONE", true, 3}, {"ONE", false, 3}};
    for (const auto& save : saves) {
        SCOPED_TRACE(save.name);
        if (*save.name) typeName(save.name);
        driver.press(driver.chipPoint(chip));
        ASSERT_EQ(app.draggedChipId, chip);
        driver.press(saveButton());
        EXPECT_EQ(driver.boardChip(chip).body().getPosition() != home, save.goesOn);
        EXPECT_EQ(app.library.size(), save.paletteSize);
        EXPECT_EQ(app.draggedChipId, chip) << "the drag goes on";
        driver.release(saveButton());
        driver.dragChip(chip, home);
    }
}

// New chips join the palette row 15 pixels right of the last entry, with
// the palette's size as their kind; saving under a name in the palette
// replaces that entry where the next new chip would stand.
TEST_F(SavingTest, NewChipsJoinThePaletteRowAndANameAgainReplacesItsEntry) {
    driver.setPinCounts(3, 2);
    driver.saveAs("A");
    ASSERT_EQ(app.library.size(), 3u);
    const Chip& first = app.library[2];
    EXPECT_EQ(first.kind(), 2);
    EXPECT_EQ(first.name(), "A");
    EXPECT_EQ(first.body().getPosition(), sf::Vector2f(193.f, 1010.f));
    EXPECT_EQ(first.inputCount(), 3);
    EXPECT_EQ(first.outputCount(), 2);
    EXPECT_EQ(first.subChipCount(), 0);
    EXPECT_TRUE(first.connections().empty());

    driver.saveAs("B");
    ASSERT_EQ(app.library.size(), 4u);
    EXPECT_EQ(app.library[3].kind(), 3);
    EXPECT_EQ(app.library[3].body().getPosition(), rightEdgeOf(app.library[2]) + sf::Vector2f(15.f, 0.f));
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

// The board: input 0 into one NOT, a second NOT into output 0, and a wire
// under way from the first NOT: saved once without a target and once while
// it previews the second NOT.
TEST_F(SavingTest, AWireUnderWayIsSavedAsItStandsAndTheBoardIsLeftAlone) {
    const int32_t first = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    const int32_t second = driver.placeChip("NOT", sf::Vector2f(700.f, 400.f));
    driver.wireInputToChip(0, first);
    driver.wireChipToOutput(second, 0);
    driver.pressConnect();
    driver.click(driver.chipPoint(first));
    driver.frames(3);
    ASSERT_TRUE(driver.boardChip(first).output(0));
    driver.saveAs("OPEN");
    // The board's chips under their ids with all pins at 0, its wires in their order.
    const Chip& saved = app.library.back();
    EXPECT_EQ(saved.inputCount(), 1);
    EXPECT_EQ(saved.outputCount(), 1);
    ASSERT_EQ(saved.subChipCount(), 2);
    EXPECT_EQ(saved.subChip(0).id(), first);
    EXPECT_EQ(saved.subChip(0).kind(), NOT_CHIP);
    EXPECT_FALSE(saved.subChip(0).output(0));
    EXPECT_EQ(saved.subChip(1).id(), second);
    EXPECT_EQ(saved.connections(),
              (std::vector<Connection>{{0, 0, first, 0}, {second, 0, 0, 0}, {first, 0, -1, 0}}));
    driver.click(driver.chipPoint(second), sf::Mouse::Right);
    ASSERT_EQ(app.wires.back().connection, (Connection{first, 0, second, 0}));
    driver.frames(5);
    EXPECT_FALSE(driver.boardChip(second).input(0)) << "on the board the previewed wire carries nothing";
    // Saving leaves the board as it was, the wire under way included.
    const std::string before = describeBoard(app);
    driver.saveAs("TWICE");
    EXPECT_EQ(describeBoard(app), before);

    driver.pressConnect();
    driver.removeChip(first);
    driver.removeChip(second);
    const int32_t placed = placeAndWire("OPEN", sf::Vector2f(400.f, 400.f));
    EXPECT_TRUE(lampWithInput(false)) << "the second NOT, never fed, shows 1";
    EXPECT_TRUE(lampWithInput(true));
    driver.removeChip(placed);
    placeAndWire("TWICE", sf::Vector2f(400.f, 400.f));
    EXPECT_TRUE(lampWithInput(true));
    EXPECT_FALSE(lampWithInput(false));
}
