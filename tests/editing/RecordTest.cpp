#include "storage/Vcd.h"
#include "support/EditorSteps.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

// Every step is recorded, running or by hand, none while paused; past
// 100,000 steps the oldest go, and the memory stays as it was.
TEST(Record, KeepsTheLast100000StepsOfTheBoardsPins) {
    auto editor = newEditor();
    const SignalRecord& record = editor->record();
    editor->addOutput();
    editor->togglePause(Editor::Time{0});
    run(*editor, 50);
    editor->stepByHand();
    EXPECT_EQ(record.endStep(), 1);
    editor->togglePause(Editor::Time{0});
    run(*editor, 100'000);
    const std::size_t bytes = record.bytes();
    EXPECT_EQ(bytes, 3u * 12'504);
    run(*editor, 1'000);
    EXPECT_EQ(std::make_tuple(record.firstStep(), record.stepCount(), record.bytes()), std::make_tuple(1'001, 100'000, bytes));
}

// Pins keep their histories by place as they come and go: an input added has
// none, the output after it keeps its own. Opening a chip starts the record
// anew, and so does undoing the opening, but not undoing a save.
TEST(Record, PinsKeepTheirHistoriesByPlaceAndAnOpenedChipStartsAnew) {
    auto editor = newEditor();
    const SignalRecord& record = editor->record();
    wire(*editor, 0, 0, 0, 0);
    editor->switchInput(0);
    run(*editor, 2);
    editor->addInput();
    run(*editor, 1);
    EXPECT_EQ(std::make_tuple(record.bits(0, 0), record.since(1), record.bits(2, 0)), std::make_tuple(0b111u, 2, 0b111u));
    editor->removeInput();
    run(*editor, 1);
    EXPECT_EQ(std::make_tuple(record.bits(0, 0), record.bits(1, 0)), std::make_tuple(0b1111u, 0b1111u));
    saveAs(*editor, "WIRE");
    editor->open(entryNamed(*editor, "WIRE"));
    EXPECT_EQ(record.endStep(), 0);
    run(*editor, 5);
    editor->undo();
    run(*editor, 1);
    editor->undo();
    EXPECT_EQ(record.endStep(), 1);
}

// Ctrl+E writes the record beside the library file, named for it and the
// moment, and never over a file there. Into a folder that is gone nothing is
// written and the window says why; the record is as it was, and the next
// export writes it all. Without a library file it goes to the working folder.
TEST(Record, ExportedBesideTheLibraryFileAndAFailedWriteLosesNothing) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vorplex-export";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    auto editor = newEditor();
    editor->keepIn(LibraryFile((folder / "chips.json").string()), {});
    editor->switchInput(0);
    run(*editor, 5);
    std::tm moment{};
    moment.tm_year = 125, moment.tm_mday = 31, moment.tm_hour = 14, moment.tm_min = 25, moment.tm_sec = 2, moment.tm_isdst = -1;
    const std::time_t now = std::mktime(&moment);
    const auto exported = [&] {  // where, or why not
        const Editor::Export done = editor->exportRecord(now);
        std::ifstream file(done.path);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), done.failure ? "" : Vcd::format(editor->record(), "board"));
        return done.failure.value_or(done.path);
    };
    const std::string first = (folder / "chips-20250131-142502.vcd").string();
    EXPECT_EQ(exported(), first);
    EXPECT_EQ(exported(), (folder / "chips-20250131-142502-2.vcd").string());
    std::filesystem::remove_all(folder);
    editor->takeNotices();
    EXPECT_EQ(exported(), "no such file or directory");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(exported(), first);
    EXPECT_EQ(editor->takeNotices(), (std::vector<std::string>{"not exported: no such file or directory", "exported to " + first}));
    editor.reset();
    std::filesystem::remove_all(folder);
    const std::string unkept = newEditor()->exportRecord(now).path;
    EXPECT_EQ(unkept, (std::filesystem::current_path() / "vorplex-20250131-142502.vcd").string());
    std::filesystem::remove(unkept);
}
