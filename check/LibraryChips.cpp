#include "check/LibraryChips.h"

#include "storage/Spelling.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

// The letters to add, remove or change to make one name of the other, case aside.
std::size_t distance(const std::string& a, const std::string& b) {
    const auto same = [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    };
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same(a[i - 1], b[j - 1]) ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

LibraryChips::LibraryChips(const std::string& path) : path_(path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) throw LibraryFile::Refused(path + ": no such file");
    chips_ = LibraryFile(path).read().chips;
    chips_.push_back({"NOT", ChipLogic(NOT_CHIP)});
    chips_.push_back({"AND", ChipLogic(AND_CHIP)});
}

const ChipLogic* LibraryChips::find(const std::string& name) const {
    const NamedChip* chip = named(name);
    return chip ? &chip->chip : nullptr;
}

const PinNames& LibraryChips::pinNames(const std::string& name) const {
    static const PinNames unnamed;
    const NamedChip* chip = named(name);
    return chip ? chip->pins : unnamed;
}

// The name exactly as given first: a name of bytes that happen to spell
// UTF-8 is found as itself.
const NamedChip* LibraryChips::named(const std::string& name) const {
    for (const std::string& spelling : {name, Spelling::latin1(name)})
        for (const NamedChip& chip : chips_)
            if (chip.name == spelling) return &chip;
    return nullptr;
}

std::string LibraryChips::unknown(const std::string& name) const {
    constexpr std::size_t MOST_NAMED = 3;
    const std::string typed = Spelling::latin1(name);
    std::size_t nearest = typed.size();  // a name as far as this is no longer a slip
    std::vector<std::string> closest;
    for (const NamedChip& chip : chips_) {
        const std::size_t away = distance(typed, chip.name);
        if (away >= typed.size() || away > nearest) continue;
        if (away < nearest) nearest = away, closest.clear();
        if (closest.size() < MOST_NAMED) closest.push_back(Spelling::utf8(chip.name));
    }
    std::string text = "no chip \"" + name + "\" in " + path_;
    for (std::size_t at = 0; at < closest.size(); ++at)
        text += (at == 0 ? " (did you mean " : at + 1 < closest.size() ? ", " : " or ") + closest[at];
    return closest.empty() ? text : text + "?)";
}
