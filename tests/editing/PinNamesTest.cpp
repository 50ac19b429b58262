#include "support/EditorSteps.h"

#include <gtest/gtest.h>

// Pins named a, b | sum, one step each, are saved as the chip's names, come
// back on the board when it is opened, and survive the library file. A name
// is at most 12 characters; a pin taken away takes its name with it.
TEST(PinNames, NamesGoWithTheirPinsThroughASaveAnOpeningAndTheFile) {
    const LibraryFile file = newLibraryFile("pin-names.json");
    auto editor = newEditor();
    editor->keepIn(file, {});
    editor->addInput(), editor->addInput();
    editor->namePin(false, 0, "a");
    editor->namePin(false, 1, "b");
    editor->namePin(false, 2, "gone");
    editor->namePin(true, 0, "sum of a and b");
    editor->removeInput();
    const PinNames named{{"a", "b"}, {"sum of a and"}};
    EXPECT_EQ(editor->board().names, named);
    editor->undo();
    EXPECT_EQ(editor->board().names.input(2), "gone");
    editor->undo();
    EXPECT_EQ(editor->board().names.output(0), "");
    editor->redo(), editor->redo();
    saveAs(*editor, "ADD");
    EXPECT_EQ(entryNamed(*editor, "ADD").pinNames(), named);
    editor->namePin(false, 0, "");
    editor->open(entryNamed(*editor, "ADD"));
    EXPECT_EQ(editor->board().names, named);
    editor.reset();
    auto again = newEditor();
    again->keepIn(file, file.read());
    EXPECT_EQ(entryNamed(*again, "ADD").pinNames(), named);
    EXPECT_EQ(again->board().names, named);
}
