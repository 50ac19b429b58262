#pragma once

#include "editing/Editor.h"

#include <memory>
#include <string>
#include <vector>

// An editor as the tests make one, without a window: laid out for a screen
// of 1920 x 1080, a chip's label 10 pixels a character.
std::unique_ptr<Editor> newEditor();

// A library file in the temporary folder, of this name, not there yet.
LibraryFile newLibraryFile(const std::string& name);

// The palette entry of this name; throws if there is none.
const PaletteEntry& entryNamed(const Editor& editor, const std::string& name);

// Places the palette chip and moves it to `at`, as a drag would; its id, or
// 0 when it was refused.
int32_t place(Editor& editor, const std::string& name, Point at);
// A wire from output `fromPin` of chip `fromChip` (0: board input `fromPin`)
// to input `toPin` of chip `toChip` (0: board output `toPin`); whether made.
bool wire(Editor& editor, int32_t fromChip, int32_t fromPin, int32_t toChip, int32_t toPin);
// Types the name and saves.
Editor::Saved saveAs(Editor& editor, const std::string& name);
// Steps of the circuit at full speed, no input blinking.
void run(Editor& editor, int steps);
// Every board chip removed.
void clearBoard(Editor& editor);
// On a cleared board, `length` copies of the palette chip in a row from
// input 0 through input 0 and output 0 of each to lamp 0, then saved under
// `savedAs` unless it is empty; their ids.
std::vector<int32_t> chainOf(Editor& editor, const std::string& part, int length, const std::string& savedAs = "");
