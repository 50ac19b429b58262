// Undo and redo: every edit of the board is recorded as what stood before
// it, and taken back or done again with Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z).

#include "app/App.h"
#include "app/Layout.h"

void App::undo() {
    endEditInProgress();
    if (!history.canUndo()) return say("nothing to undo");
    say("undone: " + history.undoWhat());
    restore(history.undo(stateNow(history.undoTouchesPalette(), history.undoTouchesName())));
}

void App::redo() {
    endEditInProgress();
    if (!history.canRedo()) return say("nothing to redo");
    say("redone: " + history.redoWhat());
    restore(history.redo(stateNow(history.redoTouchesPalette(), history.redoTouchesName())));
}

// As a press elsewhere would end them; a chip placed in this frame first
// comes onto the board, as the drag step would bring it.
void App::endEditInProgress() {
    if (isDrawingWire()) abandonWireUnderWay();
    dragChip();
    endDrag();
}

// A dragged chip stands where this frame's drag step puts it: a chip placed
// in the frame before still stands in the palette row until then.
History::State App::stateNow(bool palette, bool name) const {
    History::State state{board, {}, {}};
    if (!state.board.wires.empty() && !state.board.wires.back().complete) state.board.wires.pop_back();
    auto copy = state.board.chips.begin();
    for (auto chip = board.chips.begin(); draggedChip && chip != board.chips.end(); ++chip, ++copy)
        if (&*chip == draggedChip) copy->moveTo(placeInFrame(*copy, mouse() + dragOffset));
    if (palette) state.palette = library;
    if (name) state.name = nameBox.name();
    return state;
}

void App::recordEdit(const std::string& what, bool palette, bool name) {
    settleDragStep();
    history.record(what, stateNow(palette, name));
    workChanged();
}

// Switching inputs is no edit, so the switches keep their values and blinking.
void App::restore(History::State state) {
    for (std::size_t i = 0; i < state.board.inputs.size() && i < board.inputs.size(); ++i) state.board.inputs[i] = board.inputs[i];
    board = std::move(state.board);
    if (state.palette) library = std::move(*state.palette), settlePalette();
    if (state.name) nameBox.setName(*state.name);
    showBoardPins();
    workChanged();
}

// The board's circles, as many as its pins, showing their values.
void App::showBoardPins() {
    inputCircles.resize(1), outputCircles.resize(1);
    inputCircles.resize(board.inputs.size(), inputCircles.front());
    outputCircles.resize(board.outputs.size(), outputCircles.front());
    for (std::size_t i = 0; i < inputCircles.size(); ++i) {
        inputCircles[i].setFillColor(logicColour(board.inputs[i].value));
        inputCircles[i].setOutlineThickness(board.inputs[i].clocked ? layout::CLOCKED_RING : 0.f);
    }
    for (std::size_t i = 0; i < outputCircles.size(); ++i) outputCircles[i].setFillColor(logicColour(board.outputs[i]));
    layoutBoardPins();
}
