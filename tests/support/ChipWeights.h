#pragma once

#include "app/App.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

// The size of chips' inner trees, in chips, for the random drivers. Nesting
// saved chips into each other can double a tree with every save, so a driver
// that saves and places at random must hold back the presses that would
// place a heavy chip or save a heavy board, or it soon spends its time and
// memory on copying trees rather than on editing.
class ChipWeights {
public:
    static constexpr std::size_t HEAVY_CHIP = 150;
    static constexpr std::size_t HEAVY_BOARD = 400;

    explicit ChipWeights(const App& app) : app_(app) {}

    // Chips in the tree, the chip itself included. Measured once per shape
    // (kind, pins and connections), which copies share whatever their id.
    std::size_t of(const ChipLogic& chip);
    std::size_t board();

    // Whether a press at the point would place a palette chip heavier than
    // HEAVY_CHIP, or press "Save" on a board heavier than HEAVY_BOARD.
    bool pressWouldGrowTooMuch(sf::Vector2i point);

private:
    using Shape = std::tuple<ChipKind, int32_t, int32_t, int32_t, std::vector<int32_t>>;

    const App& app_;
    std::map<Shape, std::size_t> known_;
};
