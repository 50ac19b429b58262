#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

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

// Save a NOT wired between input 0 and the lamp as INV, open it again with
// Ctrl and a press: the board it was saved from, its name in the box. Add an
// output fed straight from the input, save again under the same name: INV
// has two outputs now. Ctrl+Z takes the save back, and, step by step, the
// opening: the board that stood before comes back.
TEST(Palette, ASavedChipIsOpenedChangedAndSavedAgain) {
    AppDriver user;
    user.inverter();
    const Board saved = user.app.board;
    user.saveAs("INV");
    user.place("AND", {800, 500});
    const Board before = user.app.board;
    user.controlClick(user.palette("NOT"));
    EXPECT_EQ(user.app.board, before) << "NOT has no inside to open";
    user.controlClick(user.palette("INV"));
    EXPECT_EQ(user.app.board, saved);
    EXPECT_EQ(user.app.nameBox.name(), "INV");
    user.setPinCounts(1, 2);
    user.wire(0, 0, 0, 1);
    user.click(user.centre(user.app.saveButton().rect));
    EXPECT_EQ(std::make_pair(user.app.library.size(), user.paletteEntry("INV").outputCount()), std::make_pair(std::size_t{3}, 2));
    for (int step = 0; step < 4; ++step) user.undo();
    EXPECT_EQ(user.paletteEntry("INV").outputCount(), 1);
    EXPECT_EQ(user.app.board.chips, before.chips);
}

// A chip whose board was not kept, as from a version-1 file, opens with its
// parts in columns by their distance from its inputs, none over another, and
// its connections as wires; the later of two connections into one pin, and
// one to a chip it does not hold, are left out.
TEST(Palette, AChipWithoutItsBoardOpensLaidOut) {
    const std::string gate = R"({"kind": 1, "id": 10001, "inputs": "00", "outputs": "0"}, )";
    const auto inverter = [](int id) { return R"({"kind": 0, "id": )" + std::to_string(id) + R"(, "inputs": "0", "outputs": "0"}, )"; };
    const std::string text = R"({"format": "vorplex-library", "version": 1, "definitions": [)" + gate + inverter(10002) + inverter(10003) +
                             inverter(10004) + R"({"kind": 2, "id": 20000, "inputs": "00", "outputs": "00", "parts": [0, 1, 2, 3], )" +
                             R"("connections": [[0, 0, 10001, 0], [0, 1, 10001, 1], [10003, 0, 0, 0], [10002, 0, 10003, 0], [10001, 0, 10002, 0], )" +
                             R"([0, 0, 10002, 0], [0, 1, 10004, 0], [10004, 0, 0, 1], [10004, 0, 99, 0]]}], "chips": [{"name": "CHAIN", "definition": 4}]})";
    AppDriver user;
    user.app.keepWorkIn(LibraryFile("/nonexistent/vorplex.json"), LibraryFile::parse(text, "chips.json"));
    user.controlClick(user.palette("CHAIN"));
    const Board& board = user.app.board;
    std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>> wires;
    for (const Wire& wire : board.wires) wires.insert({wire.connection.fromChip, wire.connection.fromPin, wire.connection.toChip, wire.connection.toPin});
    EXPECT_EQ(wires, (std::set<std::tuple<int32_t, int32_t, int32_t, int32_t>>{
                         {0, 0, 10001, 0}, {0, 1, 10001, 1}, {10003, 0, 0, 0}, {10002, 0, 10003, 0}, {0, 0, 10002, 0}, {0, 1, 10004, 0}, {10004, 0, 0, 1}}));
    const auto x = [&board](int32_t id) { return board.chips.find(id)->position().x; };
    EXPECT_EQ(x(10001), x(10002));
    EXPECT_EQ(x(10002), x(10004));
    EXPECT_LT(x(10002), x(10003));
    for (const Chip& a : board.chips)
        for (const Chip& b : board.chips)
            EXPECT_TRUE(&a == &b || !a.bounds().intersects(b.bounds())) << a.id() << " over " << b.id();
    EXPECT_EQ(user.app.board.inputs.size(), 2u);
}

// Forty saved chips run past the screen's edge: the wheel over the palette
// moves the row by whole entries, a mark at each end shows there is more,
// and every entry can be reached and placed. Delete over an entry takes it
// out, but never NOT or AND; Ctrl+Z brings it back.
TEST(Palette, FortySavedChipsAreEachReachedAndOneIsRemovedAndBroughtBack) {
    AppDriver user;
    EXPECT_EQ(marks(user.app), std::make_pair(false, false));
    for (int chip = 0; chip < 40; ++chip) {
        user.saveAs("C" + std::to_string(chip));
        EXPECT_LE(user.app.library.back().bounds().left + user.app.library.back().bounds().width, 1920.f) << "a new chip is shown";
    }
    EXPECT_EQ(marks(user.app), std::make_pair(true, false));
    const sf::Vector2f row = user.palette("C39") - sf::Vector2f(0, 10);
    for (int turn = 0; turn < 60; ++turn) user.wheel(row, 1.f);
    EXPECT_EQ(user.app.firstShownEntry, 0u);
    EXPECT_EQ(user.app.library[0].position().x, 20.f);
    EXPECT_EQ(marks(user.app), std::make_pair(false, true));
    for (const PaletteEntry& entry : user.app.library) {
        while (entry.bounds().left + entry.bounds().width > 1920.f) user.wheel(row, -1.f);
        EXPECT_EQ(user.app.board.chips.find(user.place(entry.name(), {900, 400}))->name(), entry.name());
    }
    const std::size_t count = user.app.library.size();
    for (int turn = 0; turn < 60; ++turn) user.wheel(row, 1.f);
    for (const std::string name : {"NOT", "AND", "C0"}) {
        user.moveMouse(user.palette(name));
        user.key(sf::Keyboard::Delete);
    }
    EXPECT_EQ(user.app.library.size(), count - 1);
    user.undo();
    EXPECT_EQ(user.app.library.at(2).name(), "C0");
}

// F1 shows the panel of keys over the board, and hides it again.
TEST(Palette, F1ShowsAndHidesTheKeys) {
    AppDriver user;
    for (const bool shown : {true, false}) {
        user.key(sf::Keyboard::F1);
        EXPECT_EQ(screenOf(user.app).getPixel(100, 123) == NameBox::FILL, shown);
    }
}
