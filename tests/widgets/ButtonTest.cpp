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

    Button buttonAt(sf::Vector2f position, const std::string& label, const sf::Font& with) const {
        Button button;
        button.setup(position, sf::Vector2f(40.f, 40.f), with, label);
        return button;
    }

    // The label's middle, as far from the button's middle as it may be.
    static float labelMiddle(const Button& button) {
        return button.text.getPosition().x + button.text.getGlobalBounds().width * 0.5f;
    }

    sf::Font font;
};

// Two buttons stacked as the "+" and "-" buttons are: the mouse is over a
// button from its left and top edges up to, but not on, its right and bottom
// edges, so the shared edge belongs to the lower one only.
TEST_F(ButtonTest, HoverHoldsTheLeftAndTopEdgesButNotTheRightAndBottom) {
    Button upper = buttonAt(sf::Vector2f(10.f, 10.f), "+", font);
    Button lower = buttonAt(sf::Vector2f(10.f, 50.f), "-", font);
    struct Case {
        sf::Vector2i mouse;
        bool overUpper;
        bool overLower;
    };
    for (const Case& c : {Case{{10, 10}, true, false}, Case{{49, 49}, true, false}, Case{{30, 50}, false, true},
                          Case{{10, 89}, false, true}, Case{{30, 90}, false, false}, Case{{50, 30}, false, false},
                          Case{{9, 30}, false, false}, Case{{30, 9}, false, false}, Case{{30, 30}, true, false}}) {
        EXPECT_EQ(upper.updateHover(c.mouse), c.overUpper) << c.mouse.x << "," << c.mouse.y;
        EXPECT_EQ(lower.updateHover(c.mouse), c.overLower) << c.mouse.x << "," << c.mouse.y;
        EXPECT_EQ(upper.rect.getFillColor(), c.overUpper ? HOVERED : NORMAL) << c.mouse.x << "," << c.mouse.y;
        EXPECT_EQ(lower.rect.getFillColor(), c.overLower ? HOVERED : NORMAL) << c.mouse.x << "," << c.mouse.y;
    }
}

// Labels are centred over the button, however wide; without a font they
// measure nothing and start at the centre.
TEST_F(ButtonTest, LabelsStandCentredWithTheirTopOnTheButtonsTop) {
    Button button = buttonAt(sf::Vector2f(10.f, 10.f), "+", font);
    for (const std::string label : {"+", "A label far wider than the button", "-"}) {
        button.setLabel(label);
        EXPECT_NEAR(labelMiddle(button), 30.f, 1e-3f) << label;
        EXPECT_EQ(button.text.getPosition().y, 10.f) << label;
    }
    const sf::Font missing;
    const Button unfonted = buttonAt(sf::Vector2f(300.f, 30.f), "Save", missing);
    EXPECT_EQ(unfonted.text.getString(), "Save");
    EXPECT_EQ(unfonted.text.getPosition(), sf::Vector2f(320.f, 30.f));
}

}  // namespace
