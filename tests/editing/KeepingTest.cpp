#include "support/AppDriver.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string textOf(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

// With a library file, an edit is written at the end of its frame, later
// ones at most once a second while they keep coming, and whatever is left
// when the window closes; switching an input is written, the circuit running
// alone is not.
TEST(Keeping, EditsAreWrittenAtMostOnceASecondAndAtTheEnd) {
    const LibraryFile file = newLibraryFile("keeping.json");
    const std::string& path = file.path();
    AppDriver user;
    user.app.keepWorkIn(file, {});
    const auto chipsKept = [&path] { return LibraryFile(path).read().board.chips.size(); };
    user.click(user.input(0), sf::Mouse::Middle);
    EXPECT_TRUE(LibraryFile(path).read().board.inputs[0].clocked);
    user.place("NOT", {400, 300});
    EXPECT_EQ(chipsKept(), 0u);
    user.lateFrame(1000);
    EXPECT_EQ(chipsKept(), 1u);
    const std::string running = textOf(path);
    for (int blink = 0; blink < 4; ++blink) user.lateFrame(700);
    EXPECT_EQ(textOf(path), running);
    user.place("AND", {600, 300});
    user.key(sf::Keyboard::Escape);
    EXPECT_EQ(LibraryFile(path).read().board.chips.at(1).x, 600.f) << "where the drag left it";
}
