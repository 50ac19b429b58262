#include "editing/BoardRecord.h"

void BoardRecord::follow(const Board& board) {
    const auto inputs = static_cast<int32_t>(board.inputs.size()), outputs = static_cast<int32_t>(board.outputs.size());
    if (inputs == inputs_ && outputs == record_.signalCount() - inputs_ && board.names == names_) return;
    for (; inputs_ < inputs; ++inputs_) record_.insertSignal(inputs_, "");
    for (; inputs_ > inputs; --inputs_) record_.removeSignal(inputs_ - 1);
    while (record_.signalCount() - inputs_ < outputs) record_.addSignal("");
    while (record_.signalCount() - inputs_ > outputs) record_.removeSignal(record_.signalCount() - 1);
    for (int32_t pin = 0; pin < inputs; ++pin) record_.rename(pin, board.names.called(false, static_cast<size_t>(pin)));
    for (int32_t pin = 0; pin < outputs; ++pin)
        record_.rename(inputs + pin, board.names.called(true, static_cast<size_t>(pin)));
    names_ = board.names;
}

void BoardRecord::append(const Board& board) {
    follow(board);
    column_.clear();
    for (const BoardInput& input : board.inputs) column_.push_back(input.value);
    column_.insert(column_.end(), board.outputs.begin(), board.outputs.end());
    record_.append(column_);
}
