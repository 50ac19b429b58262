#include "storage/SignalRecord.h"

#include <algorithm>
#include <stdexcept>

namespace {

uint64_t lastVersion = 0;

}  // namespace

SignalRecord::SignalRecord(int64_t capacity)
    : capacity_(std::max<int64_t>(capacity, 1)), words_(static_cast<size_t>((capacity_ + 63) / 64)) {
    changed();
}

void SignalRecord::changed() { version_ = ++lastVersion; }

void SignalRecord::rename(int32_t signal, std::string name) {
    signals_[static_cast<size_t>(signal)].name = std::move(name);
    changed();
}

void SignalRecord::insertSignal(int32_t at, std::string name) {
    signals_.insert(signals_.begin() + at, Signal{std::move(name), end_, std::vector<uint64_t>(words_, 0)});
    changed();
}

void SignalRecord::removeSignal(int32_t at) {
    signals_.erase(signals_.begin() + at);
    changed();
}

void SignalRecord::append(const std::vector<bool>& column) {
    if (column.size() != signals_.size())
        throw std::invalid_argument("a column of " + std::to_string(column.size()) + " values for " +
                                    std::to_string(signals_.size()) + " signals");
    const auto at = static_cast<uint64_t>(end_ % ringSteps());
    const uint64_t bit = uint64_t{1} << (at % 64);
    for (size_t index = 0; index < column.size(); ++index) {
        uint64_t& word = signals_[index].ring[at / 64];
        word = column[index] ? word | bit : word & ~bit;
    }
    ++end_;
    changed();
}

int64_t SignalRecord::since(int32_t signal) const {
    return std::max(signals_[static_cast<size_t>(signal)].since, firstStep());
}

uint64_t SignalRecord::bits(int32_t signal, int64_t step) const {
    const int64_t first = since(signal);
    if (step >= end_ || step + 64 <= first) return 0;
    return ringBits(signals_[static_cast<size_t>(signal)], step) & stepsMask(step, first, end_);
}

uint64_t SignalRecord::stepsMask(int64_t block, int64_t from, int64_t to) {
    const auto bitsBelow = [block](int64_t step) {
        const int64_t count = step - block;
        return count <= 0 ? uint64_t{0} : count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
    };
    return bitsBelow(to) & ~bitsBelow(from);
}

uint64_t SignalRecord::ringBits(const Signal& signal, int64_t step) const {
    const auto at = static_cast<uint64_t>((step % ringSteps() + ringSteps()) % ringSteps());
    const size_t word = at / 64, shift = at % 64;
    const uint64_t low = signal.ring[word] >> shift;
    return shift == 0 ? low : low | signal.ring[(word + 1) % words_] << (64 - shift);
}

size_t SignalRecord::bytes() const { return signals_.size() * words_ * sizeof(uint64_t); }
