#include "widgets/Button.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const sf::Color NORMAL(80, 80, 80, 255);
const sf::Color HOVERED(60, 60, 60, 255);

// Buttons in the font the program loads; label widths are measured with it.
class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(font.loadFromFile("Square.ttf")); }

    Button buttonAt(sf::Vector2f position, sf::Vector2f size, const std::string& label) const {
        Button button;
        button.setup(position, size, font, label);
        return button;
    }

    float labelWidth(const std::string& label) const {
        return sf::Text(label, font, Button::LABEL_SIZE).getGlobalBounds().width;
    }

    // How far the label runs past the rectangle on the left and on the right.
    static sf::Vector2f overhang(const Button& button) {
        const float textLeft = button.text.getPosition().x;
        const float textRight = textLeft + button.text.getGlobalBounds().width;
        const float left = button.rect.getPosition().x;
        return sf::Vector2f(left - textLeft, textRight - (left + button.rect.getSize().x));
    }

    sf::Font font;
};

TEST_F(ButtonTest, SetupGivesTheGreyLookAndACentredBlackLabel) {
    const Button plus = buttonAt(sf::Vector2f(10.f, 10.f), sf::Vector2f(40.f, 40.f), "+");
    EXPECT_EQ(plus.rect.getPosition(), sf::Vector2f(10.f, 10.f));
    EXPECT_EQ(plus.rect.getSize(), sf::Vector2f(40.f, 40.f));
    EXPECT_EQ(plus.rect.getFillColor(), NORMAL);
    EXPECT_EQ(plus.rect.getOutlineColor(), sf::Color(40, 40, 40, 255));
    EXPECT_EQ(plus.rect.getOutlineThickness(), -2.f);
    // The outline lies inside: the button covers exactly its position and size.
    EXPECT_EQ(plus.rect.getGlobalBounds(), sf::FloatRect(10.f, 10.f, 40.f, 40.f));
    EXPECT_EQ(plus.text.getString(), "+");
    EXPECT_EQ(plus.text.getFont(), &font);
    EXPECT_EQ(plus.text.getCharacterSize(), 30u);
    EXPECT_EQ(plus.text.getFillColor(), sf::Color::Black);
    EXPECT_FLOAT_EQ(plus.text.getPosition().x, 10.f + 20.f - labelWidth("+") * 0.5f);
    EXPECT_EQ(plus.text.getPosition().y, 10.f) << "the label's top is the button's top";
}

TEST_F(ButtonTest, TheMouseIsOverItFromTheLeftAndTopEdgesUpToButExcludingTheRightAndBottom) {
    Button button = buttonAt(sf::Vector2f(10.f, 10.f), sf::Vector2f(40.f, 40.f), "+");
    struct Case {
        sf::Vector2i mouse;
        bool over;
    };
    for (const Case& c : {Case{{10, 10}, true}, Case{{49, 49}, true}, Case{{30, 30}, true},
                          Case{{50, 30}, false}, Case{{30, 50}, false}, Case{{9, 30}, false},
                          Case{{30, 9}, false}, Case{{-30, -30}, false}}) {
        EXPECT_EQ(button.updateHover(c.mouse), c.over) << c.mouse.x << "," << c.mouse.y;
        EXPECT_EQ(button.rect.getFillColor(), c.over ? HOVERED : NORMAL) << c.mouse.x << "," << c.mouse.y;
    }
}

TEST_F(ButtonTest, MovingTheMouseOffResetsTheFillInTheSameCall) {
    Button button = buttonAt(sf::Vector2f(100.f, 30.f), sf::Vector2f(150.f, 40.f), "Connect");
    ASSERT_TRUE(button.updateHover(sf::Vector2i(175, 50)));
    ASSERT_EQ(button.rect.getFillColor(), HOVERED);
    EXPECT_TRUE(button.updateHover(sf::Vector2i(176, 51))) << "still over: stays hovered";
    EXPECT_EQ(button.rect.getFillColor(), HOVERED);
    EXPECT_FALSE(button.updateHover(sf::Vector2i(260, 50)));
    EXPECT_EQ(button.rect.getFillColor(), NORMAL);
}

TEST_F(ButtonTest, OfTwoStackedButtonsTheSharedEdgeBelongsToTheLowerOnly) {
    Button upper = buttonAt(sf::Vector2f(10.f, 10.f), sf::Vector2f(40.f, 40.f), "+");
    Button lower = buttonAt(sf::Vector2f(10.f, 50.f), sf::Vector2f(40.f, 40.f), "-");
    for (int y = 10; y < 90; ++y) {
        const sf::Vector2i mouse(30, y);
        const bool overUpper = upper.updateHover(mouse);
        const bool overLower = lower.updateHover(mouse);
        EXPECT_NE(overUpper, overLower) << "y " << y << ": exactly one button";
        EXPECT_EQ(overLower, y >= 50) << "y " << y;
    }
}

TEST_F(ButtonTest, LabelsStayCentredWhateverTheirWidth) {
    Button button = buttonAt(sf::Vector2f(10.f, 10.f), sf::Vector2f(40.f, 40.f), "");
    EXPECT_EQ(button.text.getPosition(), sf::Vector2f(30.f, 10.f)) << "empty: left edge at the centre";

    button.setLabel("A label far wider than the button");
    EXPECT_EQ(button.text.getString(), "A label far wider than the button");
    const sf::Vector2f sides = overhang(button);
    EXPECT_GT(sides.x, 0.f);
    EXPECT_FLOAT_EQ(sides.x, sides.y) << "overhangs both sides by the same amount";
    EXPECT_EQ(button.text.getPosition().y, 10.f);

    button.setLabel("-");
    EXPECT_FLOAT_EQ(button.text.getPosition().x, 30.f - labelWidth("-") * 0.5f);
    EXPECT_FLOAT_EQ(overhang(button).x, overhang(button).y);
    EXPECT_LT(overhang(button).x, 0.f) << "a narrow label stands inside";
}

TEST_F(ButtonTest, WithoutAFontTheLabelMeasuresNothingAndStandsAtTheCentre) {
    const sf::Font missing;
    Button button;
    button.setup(sf::Vector2f(300.f, 30.f), sf::Vector2f(150.f, 40.f), missing, "Save");
    EXPECT_EQ(button.text.getString(), "Save");
    EXPECT_EQ(button.text.getPosition(), sf::Vector2f(375.f, 30.f));
}

}  // namespace
