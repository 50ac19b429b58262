// Placing chips from the palette, dragging them about the board and removing
// them, as a user does it with the mouse, frame by frame.

#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

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
};

// The copy stands where the template stands for the rest of the press's
// frame; from the next frame on the drag holds it inside the board frame,
// with its pins laid out for its new height.
TEST_F(PlacingTest, PressOnATemplatePlacesACopyUnderANewIdThatGrowsWithItsPinCount) {
    driver.saveBlankChip("T3", 3, 1);
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
        const Chip& placed = driver.boardChip(app.draggedChipId);
        EXPECT_EQ(placed.kind(), entry.kind);
        EXPECT_EQ(placed.name(), entry.name);
        EXPECT_NE(placed.id(), palette.id());
        EXPECT_EQ(placed.body().getSize().x, palette.body().getSize().x);
        EXPECT_FLOAT_EQ(placed.body().getSize().y, entry.height);
        EXPECT_EQ(placed.body().getPosition(), palette.body().getPosition());
        EXPECT_EQ(palette.body().getSize().y, 50.f) << "the template itself is not changed";

        driver.frame();
        const float top = 980.f - entry.height;
        EXPECT_FLOAT_EQ(placed.body().getPosition().y, top);
        EXPECT_FLOAT_EQ(placed.inputPinPosition(0).y, top + entry.height / (placed.inputCount() + 1));
        EXPECT_FLOAT_EQ(placed.outputPinPosition(0).y, top + entry.height / 2.f);
        driver.release(sf::Vector2f(900.f, 500.f));
        EXPECT_EQ(app.draggedChipId, 0);
    }
    EXPECT_EQ(app.library.size(), 3u);
}

// A chip taller than the board frame stands flush with its top and reaches
// into the palette row, so a press there that went on past the palette step
// would find it.
TEST_F(PlacingTest, PressInThePaletteRowOffTheTemplatesPlacesNothingAndEndsTheFrame) {
    driver.saveBlankChip("TALL", 332, 1);
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

// While a target is being chosen a press on a template is no palette press;
// while armed it places the chip and wiring ends.
TEST_F(PlacingTest, PressOnATemplateWhileWiringPlacesOnlyUnlessATargetIsBeingChosen) {
    driver.pressConnect();
    driver.click(driver.inputPoint(0));
    driver.press(driver.paletteEntryPoint("NOT"));
    EXPECT_TRUE(app.boardChips.empty());
    EXPECT_EQ(app.wiringState, WiringState::ChoosingTarget);
    ASSERT_EQ(app.wires.size(), 1u);
    driver.release(driver.paletteEntryPoint("NOT"));
    driver.pressConnect();

    driver.pressConnect();
    driver.press(driver.paletteEntryPoint("AND"));
    EXPECT_EQ(app.wiringState, WiringState::Idle);
    ASSERT_EQ(app.boardChips.size(), 1u);
    EXPECT_EQ(app.draggedChipId, app.boardChips.begin()->id());
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

    driver.press(driver.chipPoint(id), sf::Mouse::Middle);
    EXPECT_EQ(app.draggedChipId, 0) << "a middle press neither drags";
    driver.release(driver.chipPoint(id), sf::Mouse::Middle);
    EXPECT_NE(app.boardChips.find(id), nullptr) << "nor removes";

    // Of overlapping chips a press finds the one placed first.
    const int32_t above = driver.placeChip("NOT", sf::Vector2f(430.f, 420.f));
    EXPECT_EQ(chipPickedAt(sf::Vector2f(450.f, 435.f)), id);
    driver.click(sf::Vector2f(450.f, 435.f), sf::Mouse::Right);
    EXPECT_EQ(app.boardChips.find(id), nullptr);
    EXPECT_NE(app.boardChips.find(above), nullptr);
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

    // The held right button also deletes a wire under the mouse in that frame.
    driver.wireInputToOutput(0, 0);
    const sf::Vector2f onWire = driver.inputPoint(0) + (driver.outputPoint(0) - driver.inputPoint(0)) * 0.25f;
    const int32_t crossed = driver.placeChip("NOT", onWire - sf::Vector2f(30.f, 25.f));
    driver.press(onWire, sf::Mouse::Right);
    EXPECT_EQ(app.boardChips.find(crossed), nullptr);
    ASSERT_EQ(app.wires.size(), 1u);
    EXPECT_EQ(app.wires.front().connection, (Connection{fed, 0, 0, 1}));
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
}
