#include "support/AppDriver.h"

#include <gtest/gtest.h>

namespace {

sf::Image screenOf(App& app) {
    sf::RenderTexture target;
    target.create(1920, 1080);
    app.drawScene(target);
    target.display();
    return target.getTexture().copyToImage();
}

// Whether the marks at the left and right ends of the palette row show.
std::pair<bool, bool> marks(App& app) {
    const sf::Image screen = screenOf(app);
    const auto grey = [&screen](unsigned x) { return screen.getPixel(x, 1080 - 45) == sf::Color(102, 102, 102); };
    return {grey(8), grey(1911)};
}

}  // namespace

// A NOT and a saved chip opened with Ctrl and a press: NOT has nothing
// inside, the saved chip's board comes back with its name.
TEST(PaletteRow, CtrlAndAPressOpenASavedChip) {
    AppDriver user;
    user.inverter();
    const Board saved = user.board();
    user.saveAs("INV");
    user.place("AND", {800, 500});
    const Board before = user.board();
    user.controlClick(user.palette("NOT"));
    EXPECT_EQ(user.board(), before);
    user.controlClick(user.palette("INV"));
    EXPECT_EQ(user.board(), saved);
    EXPECT_EQ(user.app.widgets().nameBox.name(), "INV");
}

// Forty saved chips run past the screen's edge: the wheel over the palette
// moves the row by whole entries, a mark at each end shows there is more,
// and every entry can be reached and placed; a press on a mark scrolls by an
// entry and places nothing. Delete over an entry takes it out, one for a key
// held down, but never NOT or AND; Ctrl+Z brings it back.
TEST(PaletteRow, FortySavedChipsAreEachReachedAndOneIsRemovedAndBroughtBack) {
    AppDriver user;
    EXPECT_EQ(marks(user.app), std::make_pair(false, false));
    const Palette& palette = user.editor().palette();
    for (int chip = 0; chip < 40; ++chip) {
        user.saveAs("C" + std::to_string(chip));
        EXPECT_LE(palette.back().bounds().right(), 1920.f) << "a new chip is shown";
    }
    EXPECT_EQ(marks(user.app), std::make_pair(true, false));
    const sf::Vector2f row = user.palette("C39") - sf::Vector2f(0, 10);
    for (int turn = 0; turn < 60; ++turn) user.wheel(row, 1.f);
    EXPECT_EQ(palette.firstShown(), 0u);
    EXPECT_EQ(palette[0].position().x, 20.f);
    EXPECT_EQ(marks(user.app), std::make_pair(false, true));
    for (std::size_t index = 0; index < palette.size(); ++index) {
        const std::string name = palette[index].name();
        while (palette[index].bounds().right() > 1920.f) user.wheel(row, -1.f);
        EXPECT_EQ(user.board().chips.find(user.place(name, {900, 400}))->name(), name);
    }
    const std::size_t count = palette.size(), chips = user.board().chips.size();
    for (int turn = 0; turn < 60; ++turn) user.wheel(row, 1.f);
    user.click({1915, row.y});  // the mark at the right end: more that way
    EXPECT_EQ(std::make_pair(palette.firstShown(), user.board().chips.size()), std::make_pair(std::size_t{1}, chips));
    user.click({5, row.y});
    EXPECT_EQ(palette.firstShown(), 0u);
    for (const std::string name : {"NOT", "AND", "C0"}) {
        user.moveMouse(user.palette(name));
        user.deleteHeld = true;  // held: its repeated presses take one chip
        user.key(sf::Keyboard::Delete), user.key(sf::Keyboard::Delete);
        user.deleteHeld = false;
    }
    EXPECT_EQ(palette.size(), count - 1);
    user.undo();
    EXPECT_EQ(palette[2].name(), "C0");
}

// F1 shows the panel of keys over the board, and hides it again.
TEST(PaletteRow, F1ShowsAndHidesTheKeys) {
    AppDriver user;
    for (const bool shown : {true, false}) {
        user.key(sf::Keyboard::F1);
        EXPECT_EQ(screenOf(user.app).getPixel(100, 123) == NameBox::FILL, shown);
    }
}
