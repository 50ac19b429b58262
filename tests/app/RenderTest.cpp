#include "support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

// The order in which a frame is drawn, read back from the full-screen window
// pixel by pixel (the tests run under a virtual display of 1920 x 1080).
class RenderTest : public ::testing::Test {
protected:
    AppDriver driver{App::WindowMode::FullScreen};
    App& app = driver.app();

    // Draws the frame and reads the window's pixels back.
    sf::Image drawn() {
        app.render();
        sf::Texture screen;
        EXPECT_TRUE(screen.create(app.window->getSize().x, app.window->getSize().y));
        screen.update(*app.window);
        return screen.copyToImage();
    }

    static sf::Color at(const sf::Image& image, sf::Vector2f point) {
        return image.getPixel(static_cast<unsigned>(point.x), static_cast<unsigned>(point.y));
    }
};

TEST_F(RenderTest, BoardPinCirclesLieOverChipsAndWiresOverEverything) {
    // A NOT pushed against the frame's left edge at input 0's height, under
    // its circle; a second NOT further right, wired from input 0 across a third.
    const int32_t underCircle = driver.placeChip("NOT", sf::Vector2f(200.f, 515.f));
    driver.dragChip(underCircle, sf::Vector2f(0.f, 515.f));
    const int32_t crossed = driver.placeChip("NOT", sf::Vector2f(600.f, 515.f));
    const int32_t target = driver.placeChip("NOT", sf::Vector2f(1000.f, 515.f));
    driver.wireInputToChip(0, target);
    driver.setInput(0, true);
    driver.frames(2);
    ASSERT_EQ(app.boardChips.find(underCircle)->body().getPosition().x, 40.f);
    ASSERT_EQ(app.wires.front().line[0].position.y, app.wires.front().line[1].position.y);

    const sf::Image image = drawn();
    // Off the wire's row: input 0's circle, where the chip's body lies beneath.
    EXPECT_EQ(at(image, {44.f, 535.f}), sf::Color::Green) << "input 0 over the chip";
    EXPECT_EQ(at(image, {44.f, 545.f}), sf::Color::Green) << "input 0 over the chip";
    EXPECT_EQ(at(image, {52.f, 530.f}), sf::Color::Red) << "the chip beside the circle";

    // The horizontal wire at y 540 crosses the middle NOT's body.
    const float x = app.boardChips.find(crossed)->body().getPosition().x + 20.f;
    bool wireShows = false;
    for (float y = 538.f; y <= 542.f; ++y) wireShows |= at(image, {x, y}) == sf::Color::Green;
    EXPECT_TRUE(wireShows) << "the wire over the chip it crosses";
    EXPECT_EQ(at(image, {x, 555.f}), sf::Color::Red);
}

TEST_F(RenderTest, AChipPlacedLaterIsDrawnOverAnEarlierOne) {
    const int32_t first = driver.placeChip("AND", sf::Vector2f(400.f, 400.f));
    const int32_t second = driver.placeChip("NOT", sf::Vector2f(420.f, 420.f));
    driver.frame();
    const sf::Image image = drawn();
    // The NOT's border, inside its body, crosses the AND's red.
    const sf::Vector2f corner = app.boardChips.find(second)->body().getPosition();
    ASSERT_TRUE(app.boardChips.find(first)->contains(corner + sf::Vector2f(1.f, 40.f)));
    EXPECT_EQ(at(image, corner + sf::Vector2f(1.f, 40.f)), sf::Color::Black);
    EXPECT_EQ(at(image, corner + sf::Vector2f(-3.f, 40.f)), sf::Color::Red);
}

}  // namespace
