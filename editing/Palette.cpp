#include "editing/Palette.h"

#include <algorithm>

Palette::Palette(const BoardLayout& layout, std::vector<PaletteEntry> entries)
    : layout_(layout), entries_(std::move(entries)) {
    layOut();
}

const PaletteEntry* Palette::find(const std::string& name) const {
    const auto entry = std::find_if(entries_.begin(), entries_.end(), [&name](const Chip& chip) { return chip.name() == name; });
    return entry == entries_.end() ? nullptr : &*entry;
}

Point Palette::nextPosition() const {
    const Box last = entries_.back().bounds();
    return {last.left + last.width + BoardLayout::PALETTE_GAP, layout_.paletteTop()};
}

// A replaced entry has the same name, so the same width: it fits where the
// old one stood.
bool Palette::join(PaletteEntry entry) {
    if (const PaletteEntry* sameName = find(entry.name())) {
        entry.moveTo(sameName->position());
        entries_[static_cast<std::size_t>(sameName - entries_.data())] = std::move(entry);
        return false;
    }
    entry.moveTo(nextPosition());
    entries_.push_back(std::move(entry));
    return true;
}

void Palette::remove(const PaletteEntry& entry) {
    entries_.erase(entries_.begin() + (&entry - entries_.data()));
    settle();
}

void Palette::replaceAll(std::vector<PaletteEntry> entries) {
    entries_ = std::move(entries);
    settle();
}

// NOT and AND stand where the scene put them, and every later entry 15
// pixels right of the one before; scrolled, the first entry shown stands
// where NOT stands, and those before it are not shown.
void Palette::layOut() {
    std::vector<float> lefts;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const Box before = index < 2 ? Box() : Box::placed({lefts.back(), 0.f}, entries_[index - 1].size());
        lefts.push_back(index == 0 ? NOT_LEFT : index == 1 ? AND_LEFT : before.left + before.width + BoardLayout::PALETTE_GAP);
    }
    firstShown_ = std::min(firstShown_, entries_.size() - 1);
    const float shift = lefts[firstShown_] - NOT_LEFT;
    for (std::size_t index = 0; index < entries_.size(); ++index) {
        const Point place{lefts[index] - shift, layout_.paletteTop()};
        if (entries_[index].position() != place) entries_[index].moveTo(place);
    }
}

// Asked every frame, so from the body's place and size, without making its shape.
bool Palette::runsPastEdge() const { return entries_.back().position().x + entries_.back().size().x > layout_.screenWidth(); }

void Palette::scroll(int entries) {
    for (; entries < 0 && firstShown_ > 0; ++entries) --firstShown_, layOut();
    for (; entries > 0 && runsPastEdge() && firstShown_ + 1 < entries_.size(); --entries) ++firstShown_, layOut();
}

// So a palette that fits stands as it always has.
void Palette::settle() {
    layOut();
    while (firstShown_ > 0) {
        --firstShown_, layOut();
        if (runsPastEdge()) return scroll(1);
    }
}

bool Palette::inRow(Point point) const {
    const Chip& first = entries_.front();
    const float top = first.position().y;
    return top < point.y && point.y <= top + first.size().y;
}

int Palette::markAt(Point point) const {
    if (!inRow(point)) return 0;
    if (firstShown_ > 0 && point.x <= MARK_ZONE) return -1;
    if (runsPastEdge() && point.x >= layout_.screenWidth() - MARK_ZONE) return 1;
    return 0;
}

const PaletteEntry* Palette::entryAt(Point point) const {
    if (!inRow(point)) return nullptr;
    for (std::size_t index = firstShown_; index < entries_.size(); ++index) {
        const float left = entries_[index].position().x;
        if (left < point.x && point.x <= left + entries_[index].size().x) return &entries_[index];
    }
    return nullptr;
}
