// The name box: focus by presses, typing, backspace and Enter, the length
// limit, 8-bit characters and the centred label, driven through the App.

#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const sf::Color UNFOCUSED(120, 120, 120);
const sf::Color FOCUSED(160, 160, 160);

}  // namespace

// The box is 350 x 40 at (500, 30); its middle is x 675.
class NameBoxTest : public ::testing::Test {
protected:
    AppDriver driver;
    App& app = driver.app();
    const NameBox& box = app.nameBox;

    void focus() { driver.click(sf::Vector2f(675.f, 50.f)); }
    void pressSave() { driver.click(AppDriver::centreOf(app.saveButton().rect)); }
    // Types the code points, one a frame, and reads the box's name.
    std::string typed(const std::u32string& text) {
        driver.typeText(text);
        return box.name();
    }
    void expectFocus(bool focused) const {
        EXPECT_EQ(box.isActive(), focused);
        EXPECT_EQ(box.rect().getFillColor(), focused ? FOCUSED : UNFOCUSED);
    }
};

TEST_F(NameBoxTest, PressWithAnyButtonInsideGivesTheFocusAndAnyPressOutsideOrEnterTakesIt) {
    EXPECT_EQ(typed(U"AB"), "") << "no focus, no typing";
    for (const sf::Mouse::Button button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
        SCOPED_TRACE(button);
        driver.click(sf::Vector2f(500.f, 30.f), button);  // the top-left corner belongs to it
        expectFocus(true);
        driver.click(sf::Vector2f(849.f, 69.f), button);  // and so does the last pixel inside
        expectFocus(true);
        driver.click(sf::Vector2f(850.f, 50.f), button);  // the right edge does not
        expectFocus(false);
        focus();
        driver.click(sf::Vector2f(675.f, 70.f), button);  // nor does the bottom edge
        expectFocus(false);
    }
    focus();
    EXPECT_EQ(typed(U"AB"), "AB");
    driver.pressConnect();
    expectFocus(false);
    EXPECT_EQ(app.wiringState, WiringState::Armed) << "the control pressed still acts";
    EXPECT_EQ(typed(U"CD\b"), "AB");

    // Enter takes the focus too, keeps the text and saves nothing.
    focus();
    EXPECT_EQ(typed(U"C\rD"), "ABC");
    expectFocus(false);
    EXPECT_EQ(app.library.size(), 2u);
}

TEST_F(NameBoxTest, TakesTwentyCharactersAndAfterABackspaceOneMoreWithTheLabelCentred) {
    const auto expectLabelCentred = [this] {
        const sf::Text& label = box.text();
        EXPECT_NEAR(label.getPosition().x + label.getGlobalBounds().width * 0.5f, 675.f, 1e-3f)
            << "label \"" << box.name() << '"';
        EXPECT_EQ(label.getPosition().y, 30.f);
    };
    focus();
    for (const char32_t letter : std::u32string(U"ABCDEFGHIJKLMNOPQRST")) {
        driver.typeText(std::u32string(1, letter));
        expectLabelCentred();
    }
    EXPECT_EQ(typed(U"UV"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(typed(U"\b"), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(typed(U"XY"), "ABCDEFGHIJKLMNOPQRSX");
    expectLabelCentred();
    EXPECT_EQ(typed(std::u32string(25, U'\b')), "") << "backspace on an empty box does nothing";
    EXPECT_EQ(box.text().getPosition(), sf::Vector2f(675.f, 30.f));
    EXPECT_EQ(typed(U"\tZ"), "\tZ") << "control characters are typed like letters";
}

TEST_F(NameBoxTest, EachCodePointIsKeptAsItsLowByteAndThatByteSurvivesIntoThePalette) {
    focus();
    EXPECT_EQ(typed(U"\u263A"), ":");
    EXPECT_EQ(typed(U"\b\u00E9"), "\xE9");
    EXPECT_EQ(typed(U"\u01E9"), "\xE9\xE9");
    pressSave();
    ASSERT_EQ(app.library.size(), 3u);
    EXPECT_EQ(app.library.back().name(), "\xE9\xE9");
    // The same bytes typed again name the same entry.
    focus();
    driver.typeText(U"\u00E9\u00E9");
    pressSave();
    EXPECT_EQ(app.library.size(), 3u);
}

// The press on "Save" first takes the focus, then saves and empties the box.
TEST_F(NameBoxTest, PressOnSaveWhileFocusedTakesTheFocusThenSaves) {
    focus();
    driver.typeText(U"NAND");
    pressSave();
    expectFocus(false);
    ASSERT_EQ(app.library.size(), 3u);
    EXPECT_EQ(app.library.back().name(), "NAND");
    EXPECT_EQ(box.name(), "");
    EXPECT_EQ(box.text().getPosition(), sf::Vector2f(675.f, 30.f));
}
