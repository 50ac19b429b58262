// Placing chips from the palette, dragging them about the board and removing
// them, as a user does it with the mouse, frame by frame.

#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

namespace {

// The board frame is 1840 x 880 at (40, 100); the palette row lies below it,
// NOT at x 20 to 96 and AND at x 100 to 178, from y 1010 to 1060.
constexpr float PALETTE_Y = 1035.f;

}  // namespace

class PlacingTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();

    sf::Vector2f positionOf(int32_t id) const { return driver.boardChip(id).body().getPosition(); }

    // A left press at `point` and its release: the chip it picked up, or 0.
    int32_t chipPickedAt(sf::Vector2f point) {
        driver.press(point);
        const int32_t picked = app.draggedChipId;
        driver.release(point);
        return picked;
    }

    // Saves a chip that has only pins, then puts the board's pins back to one each.
    void saveBlankChip(const std::string& name, int inputs, int outputs) {
        driver.setPinCounts(inputs, outputs);
        driver.saveAs(name);
        driver.setPinCounts(1, 1);
    }
};

TEST_F(PlacingTest, PressOnATemplatePlacesACopyUnderANewIdThatGrowsWithItsPinCount) {
    saveBlankChip("T3", 3, 1);
    const struct {
        const char* name;
        ChipKind kind;
        float height;
    } templates[] = {{"NOT", NOT_CHIP, 50.f}, {"AND", AND_CHIP, 70.71068f}, {"T3", 2, 86.60254f}};
    for (const auto& entry : templates) {
        SCOPED_TRACE(entry.name);
        const Chip& palette = app.library.at(static_cast<std::size_t>(entry.kind));
        const std::size_t before = app.boardChips.size();
        driver.press(driver.paletteEntryPoint(entry.name));
        ASSERT_EQ(app.boardChips.size(), before + 1);
        ASSERT_NE(app.boardChips.find(app.draggedChipId), nullptr) << "no board chip dragged";
        const Chip& placed = driver.boardChip(app.draggedChipId);
        EXPECT_EQ(placed.kind(), entry.kind);
        EXPECT_EQ(placed.name(), entry.name);
        EXPECT_NE(placed.id(), palette.id());
        EXPECT_EQ(placed.body().getSize().x, palette.body().getSize().x);
        EXPECT_FLOAT_EQ(placed.body().getSize().y, entry.height);
        // For the rest of the frame the copy stands where the template stands.
        EXPECT_EQ(placed.body().getPosition(), palette.body().getPosition());
        EXPECT_EQ(palette.body().getSize().y, 50.f) << "the template itself is not changed";
        driver.release(sf::Vector2f(900.f, 500.f));
    }
    EXPECT_EQ(app.library.size(), 3u);
}

TEST_F(PlacingTest, NewChipShowsInsideTheFrameInTheNextFrameWithPinsLaidOutForItsHeight) {
    // Grabbed at its middle, the template's top-left lies 39 left of and 25
    // above the mouse.
    driver.press(driver.paletteEntryPoint("AND"));
    const int32_t id = app.draggedChipId;
    const float height = driver.boardChip(id).body().getSize().y;

    // The mouse has not moved: the chip is held inside the frame's bottom edge.
    driver.frame();
    EXPECT_EQ(positionOf(id), sf::Vector2f(100.f, 980.f - height));

    driver.moveTo(sf::Vector2f(600.f, 500.f));
    driver.frame();
    const Chip& chip = driver.boardChip(id);
    const sf::Vector2f at(561.f, 475.f);
    EXPECT_EQ(chip.body().getPosition(), at);
    EXPECT_FLOAT_EQ(chip.inputPinPosition(0).y, at.y + height / 3.f);
    EXPECT_FLOAT_EQ(chip.inputPinPosition(1).y, at.y + height / 3.f * 2.f);
    EXPECT_FLOAT_EQ(chip.outputPinPosition(0).y, at.y + height / 2.f);
    EXPECT_EQ(chip.inputPinPosition(0).x, at.x);
    EXPECT_EQ(chip.outputPinPosition(0).x, at.x + 78.f);
    driver.release(sf::Vector2f(600.f, 500.f));
    EXPECT_EQ(app.draggedChipId, 0);
}

// A chip taller than the board frame stands flush with its top and reaches
// into the palette row, so a press there that went on past the palette step
// would find it.
TEST_F(PlacingTest, PressInThePaletteRowOffTheTemplatesPlacesNothingAndEndsTheFrame) {
    saveBlankChip("TALL", 332, 1);
    const int32_t underGap = driver.placeChip("TALL", sf::Vector2f(40.f, 0.f));
    const int32_t underRowEnd = driver.placeChip("TALL", sf::Vector2f(600.f, 0.f));
    const sf::FloatRect reach = driver.boardChip(underGap).body().getGlobalBounds();
    ASSERT_EQ(reach.top, 100.f);
    ASSERT_GT(reach.top + reach.height, 1011.f);
    const float tallRight = app.library.back().body().getGlobalBounds().left +
                            app.library.back().body().getGlobalBounds().width;
    ASSERT_LT(tallRight, 620.f) << "the press right of the last template must miss it";

    // Between NOT and AND, and on AND's left edge, while armed for a wire.
    for (const float x : {98.f, 100.f}) {
        driver.pressConnect();
        driver.press(sf::Vector2f(x, 1011.f), sf::Mouse::Right);
        EXPECT_EQ(app.wiringState, WiringState::Idle);
        EXPECT_EQ(app.boardChips.size(), 2u) << "nothing placed, nothing removed at x " << x;
        EXPECT_EQ(app.draggedChipId, 0);
        driver.release(sf::Vector2f(x, 1011.f), sf::Mouse::Right);
    }

    // Right of the last template, while a wire from a chip is under way.
    driver.pressConnect();
    driver.click(driver.chipPoint(underRowEnd), sf::Mouse::Right);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingSource);
    driver.press(sf::Vector2f(620.f, 1011.f), sf::Mouse::Right);
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_TRUE(app.wires.empty()) << "the wire under way is abandoned";
    EXPECT_EQ(app.boardChips.size(), 2u);
}

TEST_F(PlacingTest, PressOnTheFirstTemplateInsideTheInputColumnPlacesNothing) {
    driver.press(sf::Vector2f(40.f, PALETTE_Y));
    EXPECT_TRUE(app.boardChips.empty());
    EXPECT_EQ(app.draggedChipId, 0);
}

TEST_F(PlacingTest, PressOnATemplateWhileChoosingATargetPlacesNothing) {
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    ASSERT_EQ(app.wiringState, WiringState::ChoosingTarget);
    driver.press(driver.paletteEntryPoint("NOT"));
    EXPECT_TRUE(app.boardChips.empty());
    EXPECT_EQ(app.draggedChipId, 0);
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_FALSE(app.wires.back().complete);
}

TEST_F(PlacingTest, PressOnATemplateWhileArmedOrChoosingASourcePlacesAndLeavesWiring) {
    const int32_t source = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    driver.pressConnect();
    driver.click(driver.paletteEntryPoint("AND"));
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_EQ(app.boardChips.size(), 2u);

    driver.pressConnect();
    driver.click(driver.chipPoint(source), sf::Mouse::Right);
    ASSERT_EQ(app.wiringState, WiringState::ChoosingSource);
    ASSERT_EQ(app.wires.size(), 1u);
    driver.press(driver.paletteEntryPoint("NOT"));
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    EXPECT_TRUE(app.wires.empty());
    ASSERT_EQ(app.boardChips.size(), 3u);
    EXPECT_EQ(app.draggedChipId, std::prev(app.boardChips.end())->id());
    EXPECT_EQ(std::prev(app.boardChips.end())->kind(), NOT_CHIP);
}

TEST_F(PlacingTest, DraggedChipIsHeldInsideTheFrameAtEveryEdge) {
    const int32_t notChip = driver.placeChip("NOT", sf::Vector2f(800.f, 500.f));
    const int32_t andChip = driver.placeChip("AND", sf::Vector2f(800.f, 700.f));
    // Grabbed at its middle: the top-left is 38 left of and 25 above the mouse.
    driver.press(driver.chipPoint(notChip));
    driver.moveTo(sf::Vector2f(10.f, 300.f));
    driver.frame();
    EXPECT_EQ(positionOf(notChip), sf::Vector2f(40.f, 275.f));
    driver.moveTo(sf::Vector2f(500.f, 5.f));
    driver.frame();
    EXPECT_EQ(positionOf(notChip), sf::Vector2f(462.f, 100.f));
    driver.moveTo(sf::Vector2f(1919.f, 300.f));
    driver.frame();
    EXPECT_EQ(positionOf(notChip), sf::Vector2f(1880.f - 76.f, 275.f));
    EXPECT_EQ(driver.boardChip(notChip).outputPinPosition(0).x, 1880.f);
    driver.moveTo(sf::Vector2f(500.f, 1079.f));
    driver.frame();
    EXPECT_EQ(positionOf(notChip), sf::Vector2f(462.f, 930.f));
    driver.release(sf::Vector2f(500.f, 1079.f));

    driver.press(driver.chipPoint(andChip));
    driver.moveTo(sf::Vector2f(1919.f, 1079.f));
    driver.frame();
    const sf::Vector2f size = driver.boardChip(andChip).body().getSize();
    EXPECT_EQ(positionOf(andChip), sf::Vector2f(1880.f - size.x, 980.f - size.y));
    driver.release(sf::Vector2f(1919.f, 1079.f));
}

TEST_F(PlacingTest, ReleasingAnyButtonEndsTheDragWhereTheChipStands) {
    const int32_t id = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    for (const sf::Mouse::Button button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
        SCOPED_TRACE(button);
        const sf::Vector2f grab = driver.chipPoint(id);
        driver.press(grab);
        ASSERT_EQ(app.draggedChipId, id);
        // The release frame still moves the chip, then the drag ends.
        driver.release(grab + sf::Vector2f(30.f, 20.f), button);
        EXPECT_EQ(app.draggedChipId, 0);
        const sf::Vector2f dropped = positionOf(id);
        driver.moveTo(grab + sf::Vector2f(300.f, 200.f));
        driver.frame();
        EXPECT_EQ(positionOf(id), dropped);
    }
    EXPECT_EQ(positionOf(id), sf::Vector2f(490.f, 460.f));
}

TEST_F(PlacingTest, PressOnOverlappingChipsPicksTheOnePlacedFirst) {
    const int32_t below = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    const int32_t above = driver.placeChip("NOT", sf::Vector2f(430.f, 420.f));
    const sf::Vector2f overlap(450.f, 435.f);
    EXPECT_EQ(chipPickedAt(overlap), below);
    driver.click(overlap, sf::Mouse::Right);
    EXPECT_EQ(app.boardChips.find(below), nullptr);
    EXPECT_NE(app.boardChips.find(above), nullptr);
}

TEST_F(PlacingTest, ChipBodyTakesPressesOnItsRightAndBottomEdgesButNotOnItsLeftAndTop) {
    const int32_t id = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    ASSERT_EQ(driver.boardChip(id).body().getSize(), sf::Vector2f(76.f, 50.f));
    EXPECT_EQ(chipPickedAt(sf::Vector2f(400.f, 425.f)), 0) << "left edge";
    EXPECT_EQ(chipPickedAt(sf::Vector2f(401.f, 425.f)), id);
    EXPECT_EQ(chipPickedAt(sf::Vector2f(476.f, 425.f)), id) << "right edge";
    EXPECT_EQ(chipPickedAt(sf::Vector2f(477.f, 425.f)), 0);
    EXPECT_EQ(chipPickedAt(sf::Vector2f(430.f, 400.f)), 0) << "top edge";
    EXPECT_EQ(chipPickedAt(sf::Vector2f(430.f, 450.f)), id) << "bottom edge";
    EXPECT_EQ(chipPickedAt(sf::Vector2f(430.f, 451.f)), 0);
    EXPECT_EQ(positionOf(id), sf::Vector2f(400.f, 400.f)) << "presses without a move leave it";
}

TEST_F(PlacingTest, MiddlePressOnAChipNeitherDragsNorRemovesIt) {
    const int32_t id = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    driver.wireInputToChip(0, id);
    driver.press(driver.chipPoint(id), sf::Mouse::Middle);
    EXPECT_EQ(app.draggedChipId, 0);
    driver.release(driver.chipPoint(id) + sf::Vector2f(50.f, 50.f), sf::Mouse::Middle);
    EXPECT_EQ(positionOf(id), sf::Vector2f(400.f, 400.f));
    EXPECT_EQ(app.wires.size(), 1u);
}

TEST_F(PlacingTest, RightPressRemovesAChipWithAllItsWiresAndClearsThePinsTheyFed) {
    driver.setPinCounts(1, 2);
    const int32_t removed = driver.placeChip("NOT", sf::Vector2f(400.f, 400.f));
    const int32_t fed = driver.placeChip("NOT", sf::Vector2f(700.f, 400.f));
    driver.wireInputToChip(0, removed);
    driver.wireChipToChip(removed, fed);
    driver.wireChipToOutput(removed, 0);
    driver.wireChipToOutput(fed, 1);
    driver.frames(5);
    ASSERT_TRUE(driver.boardChip(fed).input(0));
    ASSERT_TRUE(app.boardOutputs[0]);
    ASSERT_TRUE(driver.lamp(0));

    driver.press(driver.chipPoint(removed), sf::Mouse::Right);
    EXPECT_EQ(app.boardChips.find(removed), nullptr);
    ASSERT_EQ(app.wires.size(), 1u) << "only the wire that does not touch it is left";
    EXPECT_EQ(app.wires.front().connection, (Connection{fed, 0, 0, 1}));
    EXPECT_FALSE(driver.boardChip(fed).input(0));
    EXPECT_FALSE(app.boardOutputs[0]);
    driver.release(driver.chipPoint(fed) + sf::Vector2f(0.f, 100.f), sf::Mouse::Right);
    EXPECT_FALSE(driver.lamp(0));
}

TEST_F(PlacingTest, RightPressOnAChipAlsoDeletesTheWireUnderTheMouseInTheSameFrame) {
    // Input 0 and output 0 both stand at height 540: their wire crosses the chip.
    driver.wireInputToOutput(0, 0);
    const int32_t id = driver.placeChip("NOT", sf::Vector2f(400.f, 515.f));
    ASSERT_EQ(app.wires.size(), 1u);
    driver.press(sf::Vector2f(430.f, 540.f), sf::Mouse::Right);
    EXPECT_EQ(app.boardChips.find(id), nullptr);
    EXPECT_TRUE(app.wires.empty());
}

// Ids are drawn at random; a placed chip draws again while its id is taken,
// so two board chips never share one.
TEST_F(PlacingTest, PlacedChipsGetDistinctIdsEvenWhenTheRandomDrawsRepeat) {
    constexpr int CHIPS = 60;
    // Find a seed whose first draws repeat one of the earlier ones.
    unsigned seed = 0;
    int repeat = -1;
    std::vector<int32_t> draws;
    while (repeat < 0) {
        std::srand(++seed);
        draws.clear();
        std::set<int32_t> seen;
        for (int i = 0; i < CHIPS && repeat < 0; ++i) {
            draws.push_back(drawChipId());
            if (!seen.insert(draws.back()).second) repeat = i;
        }
    }

    std::srand(seed);
    std::vector<int32_t> ids;
    for (int i = 0; i <= repeat; ++i) {
        driver.click(driver.paletteEntryPoint(i % 2 ? "AND" : "NOT"));
        ids.push_back(std::prev(app.boardChips.end())->id());
    }
    // Up to the repeat every chip takes the next draw.
    for (int i = 0; i < repeat; ++i) ASSERT_EQ(ids[i], draws[i]) << "chip " << i;
    EXPECT_NE(ids[repeat], draws[repeat]);
    EXPECT_EQ(std::set<int32_t>(ids.begin(), ids.end()).size(), ids.size());
    for (const int32_t id : ids) {
        EXPECT_GE(id, FIRST_CHIP_ID);
        EXPECT_LE(id, LAST_CHIP_ID);
    }
}
