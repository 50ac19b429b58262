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
    // Types the code points, one a frame, and reads the box's name.
    std::string typed(const std::u32string& text) {
        driver.typeText(text);
        return box.name();
    }
    sf::Color fill() const { return box.rect().getFillColor(); }
    void expectLabelCentred() const {
        const sf::Text& label = box.text();
        EXPECT_FLOAT_EQ(label.getPosition().x + label.getGlobalBounds().width * 0.5f, 675.f)
            << "label \"" << box.name() << '"';
        EXPECT_EQ(label.getPosition().y, 30.f);
    }
};

TEST_F(NameBoxTest, PressWithAnyButtonInsideGivesTheFocusAndAnyPressOutsideTakesIt) {
    for (const sf::Mouse::Button button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
        SCOPED_TRACE(button);
        driver.click(sf::Vector2f(500.f, 30.f), button);  // the top-left corner belongs to it
        EXPECT_TRUE(box.isActive());
        EXPECT_EQ(fill(), FOCUSED);
        driver.click(sf::Vector2f(849.f, 69.f), button);  // and so does the last pixel inside
        EXPECT_TRUE(box.isActive());
        driver.click(sf::Vector2f(850.f, 50.f), button);  // the right edge does not
        EXPECT_FALSE(box.isActive());
        EXPECT_EQ(fill(), UNFOCUSED);
    }
    focus();
    driver.click(sf::Vector2f(675.f, 70.f));  // nor does the bottom edge
    EXPECT_FALSE(box.isActive());
    focus();
    driver.pressConnect();
    EXPECT_FALSE(box.isActive()) << "a press on another control takes the focus too";
    EXPECT_EQ(app.wiringState, WiringState::Armed) << "and that control still acts";
}

TEST_F(NameBoxTest, TypingWithoutTheFocusChangesNothing) {
    EXPECT_EQ(typed(U"AB"), "");
    focus();
    EXPECT_EQ(typed(U"AB"), "AB");
    driver.click(sf::Vector2f(960.f, 500.f));
    EXPECT_EQ(typed(U"CD\b"), "AB");
}

TEST_F(NameBoxTest, TakesTwentyCharactersAndAfterABackspaceOneMore) {
    focus();
    EXPECT_EQ(typed(U"ABCDEFGHIJKLMNOPQRST"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(typed(U"UV"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(typed(U"\b"), "ABCDEFGHIJKLMNOPQRS");
    EXPECT_EQ(typed(U"XY"), "ABCDEFGHIJKLMNOPQRSX");
    expectLabelCentred();
    EXPECT_EQ(typed(std::u32string(25, U'\b')), "") << "backspace on an empty box does nothing";
    EXPECT_EQ(typed(U"\tZ"), "\tZ") << "control characters are typed like letters";
}

TEST_F(NameBoxTest, EnterTakesTheFocusKeepsTheTextAndSavesNothing) {
    focus();
    driver.typeText(U"HALF\r");
    EXPECT_FALSE(box.isActive());
    EXPECT_EQ(fill(), UNFOCUSED);
    EXPECT_EQ(box.name(), "HALF");
    EXPECT_EQ(app.library.size(), 2u);
    EXPECT_EQ(typed(U"X"), "HALF");
    focus();
    EXPECT_TRUE(box.isActive());
    EXPECT_EQ(typed(U"X"), "HALFX");
}

TEST_F(NameBoxTest, EachCodePointIsKeptAsItsLowByteAndThatByteSurvivesIntoThePalette) {
    focus();
    EXPECT_EQ(typed(U"\u263A"), ":");
    EXPECT_EQ(typed(U"\b\u00E9"), "\xE9");
    EXPECT_EQ(typed(U"\u01E9"), "\xE9\xE9");

    driver.click(AppDriver::centreOf(app.saveButton().rect));
    ASSERT_EQ(app.library.size(), 3u);
    EXPECT_EQ(app.library.back().name(), "\xE9\xE9");
    // The same bytes typed again name the same entry.
    focus();
    driver.typeText(U"\u00E9\u00E9");
    driver.click(AppDriver::centreOf(app.saveButton().rect));
    EXPECT_EQ(app.library.size(), 3u);
    EXPECT_EQ(box.name(), "\xE9\xE9");
}

TEST_F(NameBoxTest, LabelStaysCentredOverTheBox) {
    EXPECT_EQ(box.text().getPosition(), sf::Vector2f(675.f, 30.f));
    focus();
    for (const char32_t letter : std::u32string(U"WiDE NAMES RUN PAST")) {
        driver.typeText(std::u32string(1, letter));
        expectLabelCentred();
    }
    EXPECT_GT(box.text().getGlobalBounds().width, 0.f);
    driver.typeText(std::u32string(19, U'\b'));
    EXPECT_EQ(box.text().getPosition(), sf::Vector2f(675.f, 30.f));
}

TEST_F(NameBoxTest, PressOnSaveWhileFocusedTakesTheFocusThenSaves) {
    focus();
    driver.typeText(U"NAND");
    driver.click(AppDriver::centreOf(app.saveButton().rect));
    EXPECT_FALSE(box.isActive());
    EXPECT_EQ(fill(), UNFOCUSED);
    ASSERT_EQ(app.library.size(), 3u);
    EXPECT_EQ(app.library.back().name(), "NAND");
    EXPECT_EQ(box.name(), "");
    EXPECT_EQ(box.text().getPosition(), sf::Vector2f(675.f, 30.f));
}
