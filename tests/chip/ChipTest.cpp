#include "chip/Chip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr ChipKind COMPOSITE = 2;

// Chips as the palette and the board show them, in the font the program
// loads (the tests run where Square.ttf lies). Widths are measured with the
// same font, never written down.
class ChipTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(loaded.loadFromFile("Square.ttf")); }

    const sf::Font& font() const { return loaded; }

    float nameWidth(const std::string& name) const {
        return sf::Text(name, font(), Chip::LABEL_SIZE).getGlobalBounds().width;
    }

    // A composite with the given pin counts and no inner circuit.
    Chip withPins(int32_t inputs, int32_t outputs, sf::Vector2f at = sf::Vector2f(0.f, 0.f),
                         const std::string& name = "") const {
        return Chip(COMPOSITE, at, font(), name, {}, {}, inputs, outputs);
    }

    // Draws the chip into a texture of its own, as a frame draws it.
    static void drawOffScreen(Chip& chip, sf::RenderTexture& target) {
        ASSERT_TRUE(target.create(300, 200));
        target.clear(sf::Color::Blue);
        chip.draw(target);
        target.display();
    }

    static std::vector<sf::Vector2f> pinOffsets(const Chip& chip) {
        std::vector<sf::Vector2f> offsets;
        for (const sf::CircleShape& pin : chip.pins())
            offsets.push_back(pin.getPosition() - chip.body().getPosition());
        offsets.push_back(chip.label().getPosition() - chip.body().getPosition());
        return offsets;
    }

private:
    sf::Font loaded;
};

TEST_F(ChipTest, TheBodyIsFiftyHighAndThirtyWiderThanTheName) {
    const Chip notChip(NOT_CHIP, sf::Vector2f(20.f, 1010.f), font(), "NOT");
    EXPECT_EQ(notChip.body().getSize(), sf::Vector2f(nameWidth("NOT") + 30.f, 50.f));
    EXPECT_EQ(notChip.body().getPosition(), sf::Vector2f(20.f, 1010.f));
    EXPECT_EQ(notChip.name(), "NOT");

    const Chip longer = withPins(3, 2, sf::Vector2f(0.f, 0.f), "Half adder");
    EXPECT_EQ(longer.body().getSize(), sf::Vector2f(nameWidth("Half adder") + 30.f, 50.f));
    EXPECT_GT(longer.body().getSize().x, notChip.body().getSize().x);

    const Chip unnamed = withPins(1, 1);
    EXPECT_EQ(unnamed.body().getSize(), sf::Vector2f(30.f, 50.f));
}

TEST_F(ChipTest, BodyLabelAndPinsHaveTheirLook) {
    const Chip andChip(AND_CHIP, sf::Vector2f(100.f, 1010.f), font(), "AND");
    const sf::RectangleShape& body = andChip.body();
    EXPECT_EQ(body.getFillColor(), sf::Color::Red);
    EXPECT_EQ(body.getOutlineColor(), sf::Color::Black);
    EXPECT_EQ(body.getOutlineThickness(), -2.f);
    // The border lies inside: the body covers exactly its position and size.
    EXPECT_EQ(body.getGlobalBounds(), sf::FloatRect(body.getPosition(), body.getSize()));

    const sf::Text& label = andChip.label();
    EXPECT_EQ(label.getFont(), &font());
    EXPECT_EQ(label.getCharacterSize(), 20u);
    EXPECT_EQ(label.getFillColor(), sf::Color::Black);
    // Centred over the body, its position on the body's top edge.
    EXPECT_FLOAT_EQ(label.getPosition().x, 100.f + (body.getSize().x - nameWidth("AND")) * 0.5f);
    EXPECT_EQ(label.getPosition().y, 1010.f);

    ASSERT_EQ(andChip.pins().size(), 3u);
    for (const sf::CircleShape& pin : andChip.pins()) {
        EXPECT_EQ(pin.getRadius(), 5.f);
        EXPECT_EQ(pin.getPointCount(), 30u);
        EXPECT_EQ(pin.getOrigin(), sf::Vector2f(5.f, 5.f));
        EXPECT_EQ(pin.getOutlineThickness(), 0.f);
        EXPECT_EQ(pin.getFillColor(), sf::Color::Black);
    }
}

TEST_F(ChipTest, PinsAreSpreadEvenlyDownTheLeftAndRightEdges) {
    const Chip one = withPins(1, 1);
    EXPECT_EQ(one.inputPinPosition(0), sf::Vector2f(0.f, 25.f));

    const Chip two = withPins(2, 1);
    EXPECT_EQ(two.inputPinPosition(0).x, 0.f);
    EXPECT_FLOAT_EQ(two.inputPinPosition(0).y, 16.666666f);
    EXPECT_FLOAT_EQ(two.inputPinPosition(1).y, 33.333332f);

    const Chip three = withPins(3, 2);
    EXPECT_EQ(three.inputPinPosition(0), sf::Vector2f(0.f, 12.5f));
    EXPECT_EQ(three.inputPinPosition(1), sf::Vector2f(0.f, 25.f));
    EXPECT_EQ(three.inputPinPosition(2), sf::Vector2f(0.f, 37.5f));
    // Outputs follow the inputs among the circles, on the right edge.
    ASSERT_EQ(three.pins().size(), 5u);
    EXPECT_EQ(three.pins()[3].getPosition(), three.outputPinPosition(0));
    EXPECT_EQ(three.outputPinPosition(0).x, three.body().getSize().x);
    EXPECT_FLOAT_EQ(three.outputPinPosition(0).y, 16.666666f);
    EXPECT_FLOAT_EQ(three.outputPinPosition(1).y, 33.333332f);

    Chip wide = withPins(1, 1);
    wide.resize(sf::Vector2f(80.f, 50.f));
    wide.layout();
    EXPECT_EQ(wide.outputPinPosition(0), sf::Vector2f(80.f, 25.f));
}

TEST_F(ChipTest, ATallerBodySpreadsItsPinsOverTheNewHeight) {
    // An AND as the board resizes it: sqrt(2) * 50 high.
    Chip andChip(AND_CHIP, sf::Vector2f(0.f, 0.f), font(), "AND");
    const float width = andChip.body().getSize().x;
    andChip.resize(sf::Vector2f(width, 70.71068f));
    // Resizing alone leaves the pins where they were.
    EXPECT_FLOAT_EQ(andChip.inputPinPosition(0).y, 16.666666f);
    andChip.layout();
    EXPECT_FLOAT_EQ(andChip.inputPinPosition(0).y, 23.570227f);
    EXPECT_FLOAT_EQ(andChip.inputPinPosition(1).y, 47.140453f);
    EXPECT_FLOAT_EQ(andChip.outputPinPosition(0).y, 35.35534f);

    andChip.moveTo(sf::Vector2f(300.f, 400.f));
    EXPECT_NEAR(andChip.inputPinPosition(0).y - 400.f, 23.570227f, 1e-4f);
    EXPECT_NEAR(andChip.inputPinPosition(1).y - 400.f, 47.140453f, 1e-4f);
}

TEST_F(ChipTest, AMovedBodyTakesLabelAndPinsAlongAtTheSameOffsets) {
    Chip chip = withPins(3, 2, sf::Vector2f(60.f, 120.f), "Mux");
    const std::vector<sf::Vector2f> before = pinOffsets(chip);
    chip.moveTo(sf::Vector2f(812.f, 433.f));
    EXPECT_EQ(chip.body().getPosition(), sf::Vector2f(812.f, 433.f));
    const std::vector<sf::Vector2f> after = pinOffsets(chip);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_NEAR(after[i].x, before[i].x, 1e-3f) << "shape " << i;
        EXPECT_NEAR(after[i].y, before[i].y, 1e-3f) << "shape " << i;
    }
}

TEST_F(ChipTest, DrawingColoursEachPinByItsValue) {
    Chip andChip(AND_CHIP, sf::Vector2f(50.f, 50.f), font(), "AND");
    andChip.setInput(0, true);
    sf::RenderTexture target;
    drawOffScreen(andChip, target);
    EXPECT_EQ(andChip.pins()[0].getFillColor(), sf::Color::Green) << "top input holds 1";
    EXPECT_EQ(andChip.pins()[1].getFillColor(), sf::Color::Black) << "lower input holds 0";
    EXPECT_EQ(andChip.pins()[2].getFillColor(), sf::Color::Black) << "output not evaluated yet";

    andChip.evaluate();
    andChip.setInput(1, true);
    // Colours change only when the chip is drawn again.
    EXPECT_EQ(andChip.pins()[1].getFillColor(), sf::Color::Black);
    drawOffScreen(andChip, target);
    EXPECT_EQ(andChip.pins()[1].getFillColor(), sf::Color::Green);
    EXPECT_EQ(andChip.pins()[2].getFillColor(), sf::Color::Black) << "computed from [1, 0]";

    // A fresh NOT holds output 1.
    Chip notChip(NOT_CHIP, sf::Vector2f(50.f, 50.f), font(), "NOT");
    drawOffScreen(notChip, target);
    EXPECT_EQ(notChip.pins()[0].getFillColor(), sf::Color::Black);
    EXPECT_EQ(notChip.pins()[1].getFillColor(), sf::Color::Green);
}

TEST_F(ChipTest, TheBodyIsDrawnFirstAndThePinsOverIt) {
    Chip notChip(NOT_CHIP, sf::Vector2f(50.f, 50.f), font(), "NOT");
    sf::RenderTexture target;
    drawOffScreen(notChip, target);
    const sf::Image image = target.getTexture().copyToImage();
    const sf::Vector2f in = notChip.inputPinPosition(0);
    const sf::Vector2f out = notChip.outputPinPosition(0);
    const sf::Vector2f body = notChip.body().getPosition();
    const sf::Vector2f size = notChip.body().getSize();
    auto pixel = [&image](float x, float y) {
        return image.getPixel(static_cast<unsigned>(x), static_cast<unsigned>(y));
    };
    EXPECT_EQ(pixel(body.x + size.x * 0.5f, body.y + size.y - 8.f), sf::Color::Red);
    EXPECT_EQ(pixel(body.x + 1.f, body.y + size.y * 0.5f - 12.f), sf::Color::Black) << "border";
    // Half of each pin sticks out of the body; the half inside covers it.
    EXPECT_EQ(pixel(in.x - 3.f, in.y), sf::Color::Black);
    EXPECT_EQ(pixel(in.x + 3.f, in.y), sf::Color::Black);
    EXPECT_EQ(pixel(out.x - 3.f, out.y), sf::Color::Green);
    EXPECT_EQ(pixel(out.x + 2.f, out.y), sf::Color::Green);
    EXPECT_EQ(pixel(body.x - 10.f, body.y), sf::Color::Blue);
}

TEST_F(ChipTest, AChipWithoutPinsDrawsBodyAndLabelOnly) {
    Chip empty = withPins(0, 0, sf::Vector2f(10.f, 10.f), "Blank");
    EXPECT_TRUE(empty.pins().empty());
    empty.layout();
    sf::RenderTexture target;
    drawOffScreen(empty, target);
    EXPECT_EQ(target.getTexture().copyToImage().getPixel(14, 55), sf::Color::Red);
}

TEST_F(ChipTest, ACopyStandsWhereItsSourceStandsAndLooksTheSame) {
    Chip source(AND_CHIP, sf::Vector2f(140.f, 60.f), font(), "AND");
    source.setInput(1, true);
    sf::RenderTexture target;
    drawOffScreen(source, target);

    const Chip copy = source;
    EXPECT_EQ(copy.id(), source.id());
    EXPECT_TRUE(copy.input(1));
    EXPECT_EQ(copy.body().getPosition(), source.body().getPosition());
    EXPECT_EQ(copy.body().getSize(), source.body().getSize());
    EXPECT_EQ(copy.body().getFillColor(), source.body().getFillColor());
    EXPECT_EQ(copy.body().getOutlineThickness(), source.body().getOutlineThickness());
    ASSERT_EQ(copy.pins().size(), source.pins().size());
    for (std::size_t i = 0; i < copy.pins().size(); ++i) {
        EXPECT_EQ(copy.pins()[i].getPosition(), source.pins()[i].getPosition());
        EXPECT_EQ(copy.pins()[i].getRadius(), source.pins()[i].getRadius());
        EXPECT_EQ(copy.pins()[i].getFillColor(), source.pins()[i].getFillColor());
    }
    EXPECT_EQ(copy.name(), "AND");
    EXPECT_EQ(copy.label().getPosition(), source.label().getPosition());
    EXPECT_EQ(copy.label().getFont(), source.label().getFont());
    EXPECT_EQ(copy.label().getCharacterSize(), source.label().getCharacterSize());

    // Drawn without being moved, the copy covers its source pixel for pixel.
    Chip drawnCopy = source;
    sf::RenderTexture copyTarget;
    drawOffScreen(drawnCopy, copyTarget);
    const sf::Image a = target.getTexture().copyToImage();
    const sf::Image b = copyTarget.getTexture().copyToImage();
    ASSERT_EQ(a.getSize(), b.getSize());
    EXPECT_TRUE(std::equal(a.getPixelsPtr(), a.getPixelsPtr() + a.getSize().x * a.getSize().y * 4,
                           b.getPixelsPtr()));
}

TEST_F(ChipTest, AMovedFromChipIsLeftWithoutPins) {
    Chip source = withPins(2, 3, sf::Vector2f(0.f, 0.f), "Moved");
    const int32_t id = source.id();
    Chip taken(std::move(source));
    EXPECT_EQ(taken.pins().size(), 5u);
    EXPECT_EQ(taken.id(), id);
    EXPECT_EQ(taken.name(), "Moved");
    EXPECT_TRUE(source.pins().empty());
    EXPECT_EQ(source.inputCount(), 0);
    EXPECT_EQ(source.outputCount(), 0);
    EXPECT_EQ(source.id(), id);

    Chip assigned(NOT_CHIP, sf::Vector2f(0.f, 0.f), font(), "NOT");
    assigned = std::move(taken);
    EXPECT_EQ(assigned.pins().size(), 5u);
    EXPECT_EQ(assigned.inputCount(), 2);
    EXPECT_TRUE(taken.pins().empty());
}

TEST_F(ChipTest, ABodyHoldsItsRightAndBottomEdgesButNotItsLeftAndTop) {
    const Chip chip = withPins(1, 1, sf::Vector2f(100.f, 200.f), "NOT");
    const float right = 100.f + chip.body().getSize().x;
    EXPECT_TRUE(chip.contains(sf::Vector2f(120.f, 225.f)));
    EXPECT_FALSE(chip.contains(sf::Vector2f(100.f, 225.f)));
    EXPECT_TRUE(chip.contains(sf::Vector2f(101.f, 225.f)));
    EXPECT_TRUE(chip.contains(sf::Vector2f(right, 225.f)));
    EXPECT_FALSE(chip.contains(sf::Vector2f(right + 1.f, 225.f)));
    EXPECT_FALSE(chip.contains(sf::Vector2f(120.f, 200.f)));
    EXPECT_TRUE(chip.contains(sf::Vector2f(120.f, 201.f)));
    EXPECT_TRUE(chip.contains(sf::Vector2f(120.f, 250.f)));
    EXPECT_FALSE(chip.contains(sf::Vector2f(120.f, 251.f)));
}

}  // namespace
