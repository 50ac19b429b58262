#pragma once

#include "editing/Editor.h"

#include <array>
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

// Wires: from chip, pin, to chip, pin; chip 0 is the board, n the n-th part placed.
using PartWires = std::vector<std::array<int, 4>>;
// Gives the board its pins, places the parts, wires them, lets the circuit
// settle, saves the board as `name` and clears it.
void saveBuilt(Editor& editor, const std::string& name, std::size_t inputs, std::size_t outputs,
               const std::vector<std::string>& parts, const PartWires& wires);

// The wires of a full adder of two XORs and three NANDs: sum = in0 XOR in1
// XOR in2 (out0), carry = at least two of them (out1).
extern const PartWires FULL_ADDER_WIRES;
// Saves NAND (an AND, then a NOT), XOR (four NANDs) and, under `name`, two
// XORs and three NANDs wired as `wires` say.
void saveFullAdder(Editor& editor, const std::string& name, const PartWires& wires);
