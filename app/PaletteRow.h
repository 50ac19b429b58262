#pragma once

#include "app/Dragging.h"
#include "app/Wiring.h"
#include "editing/Editor.h"

// Presses, keys and the wheel on the palette row.

// Any press in the row is taken, on an entry or not, and ends a wire whose
// source is being chosen. A press on an entry places a copy of it and drags
// it; with Ctrl held, it opens the entry instead. A press on the mark at an
// end of the row scrolls it by an entry. False when the press is not in the
// row.
bool pressPaletteRow(Editor& editor, Wiring& wiring, Dragging& dragging, Point mouse, bool control);

// The wheel over the row scrolls it by a whole entry.
void turnWheelOverPalette(Editor& editor, Point mouse, float delta);

// Delete over a saved chip takes it out of the palette.
void deletePaletteEntryAt(Editor& editor, Point mouse);
