#include "storage/DeepLibraries.h"
#include "storage/LibraryFile.h"
#include "chip/RandomCircuits.h"

#include <csignal>
#include <filesystem>
#include <set>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string nameOfRandomBytes(RandomCircuits& random) {
    std::string name(static_cast<std::size_t>(random.pick(1, 19)), ' ');
    for (char& byte : name) byte = static_cast<char>(random.pick(1, 255));
    return name;
}

Library libraryOf(std::vector<NamedChip> chips, KeptBoard board = {}) { return Library{std::move(chips), std::move(board), "B"}; }

std::string refusal(const std::string& text) {
    try {
        LibraryFile::parse(text, "chips.json");
    } catch (const LibraryFile::Refused& refused) {
        return refused.what();
    }
    return "taken";
}

}  // namespace

// Random chips written and read back are the same chips, pin for pin at every
// depth, under names of any bytes, and run as the originals call by call.
TEST(LibraryFile, ChipsReadBackAreTheChipsWritten) {
    for (uint32_t seed = 1; seed <= 150 && !HasFatalFailure(); ++seed) {
        RandomCircuits random(seed);
        Twin first = random.chip(random.pick(1, 4)), second = random.chip(random.pick(1, 4));
        const std::string names[] = {nameOfRandomBytes(random), nameOfRandomBytes(random) + "!"};
        const std::string text = LibraryFile::format(libraryOf({{names[0], first.logic}, {names[1], second.logic}}));
        std::vector<NamedChip> read = LibraryFile::parse(text, "chips.json").chips;
        ASSERT_EQ(read.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            Twin twin{read[i].chip, i == 0 ? first.reference : second.reference};
            EXPECT_EQ(read[i].name, names[i]);
            ASSERT_TRUE(same(twin.logic, twin.reference)) << "seed " << seed << " as read";
            runAndCompare(twin, random, 10, "seed " + std::to_string(seed) + " read back");
        }
    }
}

// Two copies of a chip that feeds an AND back into itself, held side by
// side: the same circuit and the same ids inside, one copy run with its
// input on and one not. Each comes back with its own pin values.
TEST(LibraryFile, CopiesOfAChipInOtherStatesComeBackInTheirOwnStates) {
    ChipLogic gate(AND_CHIP);
    gate.setId(10001);
    ChipLogic on(2, {gate}, {{0, 0, 10001, 0}, {10001, 0, 10001, 1}, {10001, 0, 0, 0}}, 1, 1), off = on;
    on.setInput(0, true);
    for (int call = 0; call < 3; ++call) on.evaluate();
    on.setId(10002), off.setId(10003);
    const ChipLogic pair(3, {on, off}, {}, 0, 0);
    EXPECT_EQ(LibraryFile::parse(LibraryFile::format(libraryOf({{"PAIR", pair}})), "chips.json").chips.at(0).chip, pair);
}

// A chip of two copies of the level below, 20 levels deep: a million NOTs,
// written as a line per level.
TEST(LibraryFile, SharedSubTreesAreWrittenOnce) {
    ChipLogic level(NOT_CHIP);
    for (int depth = 0; depth < 20; ++depth) {
        ChipLogic copy = level;
        copy.setId(10002);
        level = ChipLogic(2, {level, copy}, {{0, 0, level.id(), 0}, {10002, 0, 0, 0}}, 1, 1);
    }
    const std::string text = LibraryFile::format(libraryOf({{"DEEP", level}}));
    EXPECT_LT(text.size(), 20u * 300);
    const std::vector<NamedChip> read = LibraryFile::parse(text, "chips.json").chips;
    EXPECT_EQ(read.at(0).chip.treeSize(), level.treeSize());
}

// A chip at the deepest, read and run: a change at its input shows at its
// output after exactly as many calls as NOTs on its path. Every walk reaches
// it; written, it reads back as it was. One level more is refused.
TEST(LibraryFile, AChipAtTheDeepestIsReadRunAndWritten) {
    const int32_t notEvery = 100, gates = 1 + DEEPEST_CHIP / notEvery;  // and one at the bottom
    ChipLogic chip = LibraryFile::parse(deep::chain(DEEPEST_CHIP, notEvery), "chips.json").chips.at(0).chip;
    int32_t parts = 0;
    chip.forEachPart([&parts](const ChipLogic::PartView&) { ++parts; });
    EXPECT_EQ(std::make_tuple(chip.depth(), chip.subChip(0).depth(), parts), std::make_tuple(DEEPEST_CHIP, DEEPEST_CHIP - 1, DEEPEST_CHIP + gates - 1));
    for (int32_t call = 0; call < gates; ++call) chip.evaluate();
    const bool settled = chip.output(0);
    chip.setInput(0, !chip.input(0));
    for (int32_t call = 1; call <= gates; ++call) {
        chip.evaluate();
        ASSERT_EQ(chip.output(0), call == gates ? !settled : settled) << "call " << call;
    }
    const std::string text = LibraryFile::format(libraryOf({{"DEEP", chip}}));
    EXPECT_EQ(LibraryFile::format(libraryOf({{"DEEP", LibraryFile::parse(text, "chips.json").chips.at(0).chip}})), text);
    EXPECT_NE(refusal(deep::chain(DEEPEST_CHIP + 1)).find("definition 10001: more than 10000 levels deep"), std::string::npos);
}

// A full adder's pin names, some unnamed and one of 8-bit letters, come back
// on the chip, on the board it was saved from and on the board. A library
// without names is written without them, and read as version 2, as an older
// editor wrote it, it is the same library.
TEST(LibraryFile, PinNamesSurviveTheRoundTrip) {
    const ChipLogic adder(2, {}, {}, 3, 2);
    const PinNames names{{"a", "", "c\xe9n"}, {"sum", ""}};
    KeptBoard saved, board;
    saved.inputs.resize(3), saved.outputs.resize(2), saved.pins = names;
    board.pins.outputs = {"lamp"};
    const Library read = LibraryFile::parse(
        LibraryFile::format(libraryOf({{"ADDER", adder, std::make_shared<const KeptBoard>(saved), names}}, board)), "chips.json");
    EXPECT_EQ(read.chips.at(0).pins, names);
    EXPECT_EQ(*read.chips.at(0).board, saved);
    EXPECT_EQ(read.board.pins.output(0), "lamp");
    saved.pins = {};
    std::string unnamed = LibraryFile::format(libraryOf({{"ADDER", adder, std::make_shared<const KeptBoard>(saved)}}));
    EXPECT_EQ(unnamed.find("pins"), std::string::npos);
    unnamed.replace(unnamed.find("\"version\": 3"), 12, "\"version\": 2");
    const Library older = LibraryFile::parse(unnamed, "chips.json");
    EXPECT_FALSE(older.chips.at(0).pins.any());
    EXPECT_EQ(*older.chips.at(0).board, saved);
}

// A bad file is refused with where and what, whatever is wrong with it.
TEST(LibraryFile, BadFilesAreRefusedWithWhereAndWhat) {
    const std::string head = R"({"format": "vorplex-library", "version": 1, "definitions": [)";
    const std::string gate = R"({"kind": 0, "id": 10001, "inputs": "0", "outputs": "1"})";
    const std::string board = R"({"format": "vorplex-library", "version": 2, "definitions": [)" + gate +
                              R"(], "chips": [], "board": {"inputs": "1", "clocked": "0", "outputs": "0", "name": "", "chips": [)" +
                              R"({"name": "N", "definition": 0, "at": [300, 200]}], "wires": )";
    std::string doubling = head + gate;  // each level two of the one before: 2^k NOTs
    for (int level = 1; level <= 25; ++level)
        doubling += R"(, {"kind": 2, "id": 7, "inputs": "", "outputs": "", "parts": [)" + std::to_string(level - 1) +
                    ", " + std::to_string(level - 1) + "]}";
    const std::pair<std::string, std::string> files[] = {
        {"[1, 2", "chips.json: not JSON: "},
        {"[9e999999]", "chips.json: not JSON: number overflow"},
        {R"({"format": "other", "version": 1})", "chips.json: not a library"},
        {R"({"format": "vorplex-library", "version": 4})", "chips.json: version 4 is newer than this editor reads (3)"},
        {head + "]}", "chips.json: no \"chips\""},
        {head + gate + R"(], "chips": [{"name": "X", "definition": "0"}]})", "chip \"X\": \"definition\" is not number"},
        {head + R"({"kind": 0, "id": 1, "inputs": "2", "outputs": ""}], "chips": []})", "definition 0: \"inputs\" holds more"},
        {head + R"({"kind": 0.5, "id": 1, "inputs": "", "outputs": ""}], "chips": []})", "definition 0: \"kind\" is not number"},
        {head + gate + R"(, {"kind": 2, "id": 1, "inputs": "", "outputs": "", "parts": [0, 17]}], "chips": []})",
         "definition 1: sub-chip 1: no definition 17"},
        {head + R"({"kind": 2, "id": 1, "inputs": "", "outputs": "", "parts": [0]}], "chips": []})",
         "definition 0: sub-chip 0: the definition contains itself"},
        {head + gate + R"(, {"kind": 2, "id": 1, "inputs": "", "outputs": "", "connections": [[0, 0, 1]]}], "chips": []})",
         "definition 1: connection 0 is not four numbers"},
        {head + gate + R"(], "chips": [{"name": "X", "definition": 1}]})", "chip \"X\": no definition 1"},
        {head + gate + R"(], "chips": [{"name": "X", "definition": 0}, {"name": "X", "definition": 0}]})",
         "chip \"X\": a second chip of this name"},
        {head + gate + R"(], "chips": [{"name": "ABCDEFGHIJKLMNOPQRSTU", "definition": 0}]})", "a name of 21 characters"},
        {head + gate + R"(], "chips": [{"name": "\u263A", "definition": 0}]})", "above U+00FF"},
        {doubling + R"(], "chips": []})", "definition 25: larger than 100000000 parts"},
        {board + "[[0, 0, 10001, 0], [12077, 0, 0, 0]]}}", "chips.json: board: wire 1: source: no chip 12077 on the board"},
        {board + "[[0, 0, 10001, 0], [0, 0, 10001, 0]]}}", "board: wire 1: its target is fed by an earlier wire"},
        {board + "[[10001, 0, 0, 1]]}}", "board: wire 0: its target has no pin 1"},
        {board.substr(0, board.rfind("300")) + R"(1e39, 200]}], "wires": []}})", "board: chip 0: \"at\" is more than 1000000 pixels out"},
        {R"({"format": "vorplex-library", "version": 2, "definitions": [)" + gate + R"(], "chips": [{"name": "N", "definition": 0, )" +
             R"("board": {"inputs": "0", "clocked": "0", "outputs": "0", "chips": [], "wires": [[0, 0, 0, 0]]}}], "board": )" +
             R"({"inputs": "0", "clocked": "0", "outputs": "0", "name": "ABCDEFGHIJKLMNOPQRSTUVWXY", "chips": [], "wires": []}})",
         "chips.json: board: a name of 25 characters, not 0 to 20"},
        {doubling.substr(0, doubling.rfind(", {")) + R"(], "chips": [{"name": "A", "definition": 24}, {"name": "B", "definition": 24}]})",
         "chip \"B\": the chips together are larger"},
        {head + gate + R"(], "chips": [{"name": "X", "definition": 0, "pins": {"inputs": ["ABCDEFGHIJKLM"], "outputs": [""]}}]})",
         "chip \"X\": pins: input 0: a name of 13 characters, not 0 to 12"},
        {head + gate + R"(], "chips": [{"name": "X", "definition": 0, "pins": {"inputs": [""], "outputs": ["y", "z"]}}]})",
         "chip \"X\": pins: \"outputs\" holds 2 names, not 1"},
        {board.substr(0, board.rfind("\"chips\"")) + R"("pins": {"inputs": [], "outputs": ["y"]}, )" +
             board.substr(board.rfind("\"chips\"")) + "[]}}",
         "chips.json: board: pins: \"inputs\" holds 0 names, not 1"},
    };
    for (const auto& [text, reason] : files) EXPECT_NE(refusal(text).find(reason), std::string::npos) << refusal(text);
}

// The file is always the old library or the new one, even when the writer is
// killed halfway, and the next write leaves nothing of a killed one behind
// (and nothing else of the user's, whatever its name is like); a write that
// cannot be done leaves what was there. A write keeps the
// file's mode, and through a symbolic link replaces the file it names.
TEST(LibraryFile, AWriteReplacesTheFileWholeOrNotAtAll) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("vorplex-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "in the way");
    const LibraryFile file((folder / "chips.json").string());
    RandomCircuits random(3);
    const Twin big = random.chip(5), small = random.chip(1);
    const Library before = libraryOf({{"OLD", small.logic}});
    const Library after = libraryOf({{"NEW", big.logic}, {"OLD", small.logic}},
                                    KeptBoard{{{true, false}}, {true}, {{"NEW", big.logic, 300.f, 200.5f}}, {{0, 0, 0, 0}}});
    file.write(before);
    const std::vector<std::string> either = {LibraryFile::format(before), LibraryFile::format(after)};
    for (int attempt = 0; attempt < 200; ++attempt) {
        const pid_t writer = fork();
        if (writer == 0) {
            for (;;) file.write(after), file.write(before);
        }
        usleep(static_cast<useconds_t>(random.pick(0, 1500)));
        kill(writer, SIGKILL);
        waitpid(writer, nullptr, 0);
        std::ifstream in(folder / "chips.json");
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(text == either[0] || text == either[1]) << "attempt " << attempt;
    }
    EXPECT_THROW(LibraryFile((folder / "in the way").string()).write(before), LibraryFile::Refused);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "in the way"));
    for (const char* name : {".chips.json.k1LLed", ".chips.json.mine", ".chips.json.backup1", ".chips.json.k1-Led"})
        std::ofstream(folder / name);
    std::filesystem::permissions(folder / "chips.json", std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::create_symlink("chips.json", folder / "link.json");
    LibraryFile((folder / "link.json").string()).write(after);
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) files.insert(entry.path().filename().string());
    EXPECT_EQ(files, (std::set<std::string>{"chips.json", "link.json", "in the way", ".chips.json.mine", ".chips.json.backup1", ".chips.json.k1-Led"}));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.json"));
    EXPECT_EQ(LibraryFile((folder / "chips.json").string()).read().board.chips.size(), 1u);
    EXPECT_EQ(std::filesystem::status(folder / "chips.json").permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::remove_all(folder);
}

// A piece of random chips, an id repeated, anywhere, with wires between them,
// comes back from its text as it was, pin for pin at every depth.
TEST(LibraryFile, APieceSurvivesTheRoundTripThroughText) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        RandomCircuits random(seed);
        KeptBoard piece;
        piece.inputs.clear(), piece.outputs.clear();
        for (int32_t chip = 0; chip < 4; ++chip) {
            ChipLogic logic = random.chip(random.pick(0, 3)).logic;
            logic.setId(FIRST_CHIP_ID + chip % 3);
            piece.chips.push_back({nameOfRandomBytes(random), logic, random.pick(-500, 500) / 4.f, random.pick(0, 900) / 3.f});
            const ChipLogic& before = piece.chips[static_cast<std::size_t>(std::max(chip - 1, 0))].logic;
            if (chip > 0 && chip < 3 && before.outputCount() > 0 && logic.inputCount() > 0) piece.wires.push_back({before.id(), 0, logic.id(), 0});
        }
        EXPECT_EQ(LibraryFile::parsePiece(LibraryFile::formatPiece(piece), "clipboard"), piece) << "seed " << seed;
    }
}
