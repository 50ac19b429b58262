#include "app/PaletteRow.h"

bool pressPaletteRow(Editor& editor, Wiring& wiring, Dragging& dragging, Point mouse, bool control) {
    if (!editor.palette().inRow(mouse)) return false;
    wiring.reset();
    if (const int mark = editor.palette().markAt(mouse)) return editor.scrollPalette(mark), true;
    const PaletteEntry* entry = editor.palette().entryAt(mouse);
    if (!entry) return true;
    if (control && editor.canOpen(*entry)) {
        dragging.drop(editor);
        editor.open(*entry);
    } else if (!control) {
        if (const Chip* placed = editor.place(*entry)) dragging.start(*placed, mouse);
    }
    return true;
}

void turnWheelOverPalette(Editor& editor, Point mouse, float delta) {
    if (editor.palette().inRow(mouse)) editor.scrollPalette(delta > 0 ? -1 : delta < 0 ? 1 : 0);
}

void deletePaletteEntryAt(Editor& editor, Point mouse) {
    if (const PaletteEntry* entry = editor.palette().entryAt(mouse)) editor.removeFromPalette(*entry);
}
