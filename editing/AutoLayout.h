#pragma once

#include "chip/Chip.h"
#include "editing/BoardLayout.h"
#include "editing/Palette.h"
#include "storage/LibraryFile.h"

#include <string>

// The board of a chip whose board was not kept, as from a library file of
// version 1: its sub-chips laid out anew in columns by how many chips a
// signal from the chip's inputs passes to reach them, in their order within a
// column, a column wrapping when it reaches the board's bottom, none over
// another; its connections as wires, those that join no pins and all but the
// last into one pin left out. Each sub-chip is named as the palette chip of
// the same circuit, or by its kind.
KeptBoard laidOutBoard(const ChipLogic& chip, const Palette& palette, const BoardLayout& layout,
                       const LabelWidth& labelWidth);

// NOT, AND, the palette chip of the same circuit, or the kind's number.
std::string nameOfPart(const ChipLogic& part, const Palette& palette);
