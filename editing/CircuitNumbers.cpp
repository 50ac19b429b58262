#include "editing/CircuitNumbers.h"

#include <vector>

namespace {

template <class Value>
void appendBytes(std::string& key, const Value& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

// Sub-chips before the chip that holds them, without recursion, so that no
// depth exhausts the stack: each open part gathers its sub-chips' numbers at
// the end of `gathered`, then is numbered and leaves its own in their place.
int32_t CircuitNumbers::of(const ChipLogic::PartView& top) {
    struct Open {
        ChipLogic::PartView part;
        std::size_t firstGathered;
    };
    const auto known = [this](const ChipLogic::PartView& part) {
        return part.circuit() ? byDesign_.find(part.circuit()) : byDesign_.end();
    };
    if (const auto number = known(top); number != byDesign_.end()) return number->second;
    std::vector<Open> open{{top, 0}};
    std::vector<int32_t> gathered;
    for (;;) {
        const ChipLogic::PartView part = open.back().part;
        const std::size_t first = open.back().firstGathered, done = gathered.size() - first;
        if (done < static_cast<std::size_t>(part.subChipCount())) {
            const ChipLogic::PartView sub = part.subChip(static_cast<int32_t>(done));
            if (const auto number = known(sub); number != byDesign_.end())
                gathered.push_back(number->second);
            else
                open.push_back({sub, gathered.size()});
            continue;
        }
        const int32_t number = numberLevel(part, gathered.data() + first);
        gathered.resize(first);
        open.pop_back();
        if (open.empty()) return number;
        gathered.push_back(number);
    }
}

int32_t CircuitNumbers::numberLevel(const ChipLogic::PartView& part, const int32_t* subNumbers) {
    key_.clear();
    for (const int32_t value : {part.kind(), part.inputCount(), part.outputCount(), part.subChipCount()}) appendBytes(key_, value);
    for (const Connection& c : part.connections())
        for (const int32_t value : {c.fromChip, c.fromPin, c.toChip, c.toPin}) appendBytes(key_, value);
    for (int32_t index = 0; index < part.subChipCount(); ++index) {
        appendBytes(key_, part.subChip(index).id());
        appendBytes(key_, subNumbers[index]);
    }
    const int32_t number = byLevel_.emplace(key_, static_cast<int32_t>(byLevel_.size())).first->second;
    if (part.circuit()) byDesign_.emplace(part.circuit(), number);
    return number;
}
