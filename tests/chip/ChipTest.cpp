#include "chip/Chip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr ChipKind COMPOSITE = 2;

// Chips as the palette and the board show them, in the font the program
// loads (the tests run where Square.ttf lies). Widths are measured with the
// same font, never written down.
class ChipTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(font.loadFromFile("Square.ttf")); }

    float nameWidth(const std::string& name) const {
        return sf::Text(name, font, Chip::LABEL_SIZE).getGlobalBounds().width;
    }

    // A composite with the given pin counts and no inner circuit.
    Chip withPins(int32_t inputs, int32_t outputs, sf::Vector2f at = {0.f, 0.f}, const std::string& name = "") const {
        return Chip(COMPOSITE, at, font, name, {}, {}, inputs, outputs);
    }

    // Draws the chip into a texture of its own, as a frame draws it.
    static sf::Image drawOffScreen(Chip& chip) {
        sf::RenderTexture target;
        EXPECT_TRUE(target.create(300, 200));
        target.clear(sf::Color::Blue);
        chip.draw(target);
        target.display();
        return target.getTexture().copyToImage();
    }

    sf::Font font;
};

TEST_F(ChipTest, TheBodyIsFiftyHighAndThirtyWiderThanTheCentredName) {
    for (const std::string name : {"NOT", "Half adder", ""}) {
        const Chip chip = withPins(1, 1, sf::Vector2f(20.f, 1010.f), name);
        EXPECT_EQ(chip.body().getSize(), sf::Vector2f(nameWidth(name) + 30.f, 50.f)) << name;
        EXPECT_NEAR(chip.label().getPosition().x, 20.f + 15.f, 1e-3f) << name;
        EXPECT_EQ(chip.label().getPosition().y, 1010.f) << name;
    }
}

TEST_F(ChipTest, PinsAreSpreadEvenlyDownTheEdgesAndMoveWithTheBody) {
    Chip three = withPins(3, 2, sf::Vector2f(0.f, 0.f), "Mux");
    const float width = three.body().getSize().x;
    EXPECT_EQ(three.inputPinPosition(0), sf::Vector2f(0.f, 12.5f));
    EXPECT_EQ(three.inputPinPosition(2), sf::Vector2f(0.f, 37.5f));
    // Outputs follow the inputs among the circles, on the right edge.
    ASSERT_EQ(three.pins().size(), 5u);
    EXPECT_EQ(three.pins()[3].getPosition(), sf::Vector2f(width, 50.f / 3.f));

    three.moveTo(sf::Vector2f(812.f, 433.f));
    EXPECT_EQ(three.body().getPosition(), sf::Vector2f(812.f, 433.f));
    EXPECT_NEAR(three.inputPinPosition(2).y, 433.f + 37.5f, 1e-3f);
    EXPECT_NEAR(three.outputPinPosition(1).x, 812.f + width, 1e-3f);
    EXPECT_NEAR(three.outputPinPosition(1).y, 433.f + 100.f / 3.f, 1e-3f);
    EXPECT_NEAR(three.label().getPosition().x, 812.f + 15.f, 1e-3f);
}

// Drawing recolours the pins from the values, then draws the body and the
// pins over it: half of each pin lies inside the body.
TEST_F(ChipTest, DrawingColoursEachPinByItsValueOverTheBody) {
    Chip andChip(AND_CHIP, sf::Vector2f(50.f, 50.f), font, "AND");
    andChip.setInput(0, true);
    drawOffScreen(andChip);
    EXPECT_EQ(andChip.pins()[0].getFillColor(), sf::Color::Green) << "top input holds 1";
    EXPECT_EQ(andChip.pins()[1].getFillColor(), sf::Color::Black);

    andChip.setInput(1, true);
    andChip.evaluate();
    EXPECT_EQ(andChip.pins()[2].getFillColor(), sf::Color::Black) << "only drawing recolours";
    const sf::Image image = drawOffScreen(andChip);
    EXPECT_EQ(andChip.pins()[1].getFillColor(), sf::Color::Green);
    EXPECT_EQ(andChip.pins()[2].getFillColor(), sf::Color::Green);

    auto pixel = [&image](sf::Vector2f at) {
        return image.getPixel(static_cast<unsigned>(at.x), static_cast<unsigned>(at.y));
    };
    const sf::Vector2f body = andChip.body().getPosition(), size = andChip.body().getSize();
    EXPECT_EQ(pixel(body + sf::Vector2f(size.x * 0.5f, size.y - 8.f)), sf::Color::Red);
    EXPECT_EQ(pixel(body + sf::Vector2f(1.f, size.y * 0.5f)), sf::Color::Black) << "border";
    const sf::Vector2f out = andChip.outputPinPosition(0);
    EXPECT_EQ(pixel(out - sf::Vector2f(3.f, 0.f)), sf::Color::Green);
    EXPECT_EQ(pixel(out + sf::Vector2f(2.f, 0.f)), sf::Color::Green);
    EXPECT_EQ(pixel(body - sf::Vector2f(10.f, 0.f)), sf::Color::Blue);
}

}  // namespace
