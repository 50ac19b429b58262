#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The values of a set of one-bit signals over the last `capacity` steps: a
// column of bits per step. Each signal keeps a ring of 64-bit words, one bit
// per step, so the memory is fixed when the record is made, about
// capacity / 8 bytes per signal (12.5 KB for 100,000 steps), and appending a
// column writes one bit per signal and allocates nothing.
//
// Steps are numbered from 0, the first column appended. The record keeps the
// steps from `firstStep()` to `endStep() - 1`; older ones are overwritten.
//
// Signals come and go between steps (the board's pins do): each keeps its
// history by its place in the record. A signal inserted has no past: it has
// values from the next column on (`since`), and is unknown before. A signal
// removed takes its history with it; the others keep theirs.
class SignalRecord {
public:
    // At least one step is kept.
    explicit SignalRecord(int64_t capacity);

    int64_t capacity() const { return capacity_; }
    int32_t signalCount() const { return static_cast<int32_t>(signals_.size()); }
    const std::string& name(int32_t signal) const { return signals_[static_cast<size_t>(signal)].name; }
    void rename(int32_t signal, std::string name);

    // `at` from 0 to signalCount(): the signals from `at` on move one place up.
    void insertSignal(int32_t at, std::string name);
    void addSignal(std::string name) { insertSignal(signalCount(), std::move(name)); }
    void removeSignal(int32_t at);

    // One step: the value of every signal, in order (as many as there are
    // signals, else std::invalid_argument and nothing is recorded).
    void append(const std::vector<bool>& column);

    int64_t endStep() const { return end_; }
    int64_t firstStep() const { return end_ - stepCount(); }
    int64_t stepCount() const { return end_ < capacity_ ? end_ : capacity_; }
    // The first step at which the signal has a value: firstStep(), or the
    // first step appended after it was inserted.
    int64_t since(int32_t signal) const;

    // The signal's value at a step from since(signal) to endStep() - 1;
    // false at any other step.
    bool value(int32_t signal, int64_t step) const { return bits(signal, step) & 1; }
    // The values of the 64 steps from `step` on: bit i holds step + i. A step
    // at which the signal has no value reads 0. Two word reads at most: the
    // last 256 steps of a signal are four calls.
    uint64_t bits(int32_t signal, int64_t step) const;
    // The steps from `from` to `to` - 1 among the 64 from `block` on, as bits.
    static uint64_t stepsMask(int64_t block, int64_t from, int64_t to);

    // The heap the record holds for its steps.
    size_t bytes() const;

    // Taken anew at every change, and by every record made: what was drawn
    // from a record of the same version needs no drawing again.
    uint64_t version() const { return version_; }

private:
    struct Signal {
        std::string name;
        int64_t since;
        std::vector<uint64_t> ring;  // bit (step % ringSteps()) holds the step
    };

    int64_t ringSteps() const { return static_cast<int64_t>(words_) * 64; }
    // The 64 steps from `step` on as the ring holds them, kept or not.
    uint64_t ringBits(const Signal& signal, int64_t step) const;

    void changed();

    int64_t capacity_;
    size_t words_;
    uint64_t version_ = 0;
    int64_t end_ = 0;
    std::vector<Signal> signals_;
};
