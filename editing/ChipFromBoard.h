#pragma once

#include "chip/ChipLogic.h"
#include "storage/LibraryFile.h"

#include <cstdint>
#include <optional>

// What saving a board makes of it: a composite of kind `kind` whose sub-chips
// are the board's chips, under their board ids, and whose connections are its
// wires in the order they were made (the wire under way last), its pins the
// board's inputs and outputs. The same code saves a board and rebuilds a
// saved chip from the board it was saved from.
ChipLogic chipFromBoard(const KeptBoard& board, ChipKind kind, const std::optional<Connection>& wireUnderWay = std::nullopt);

// What that chip would weigh and how deep it would nest, worked out before it
// is built: as `treeSize` and `depth` count.
int64_t sizeAsChip(const KeptBoard& board);
int32_t depthAsChip(const KeptBoard& board);
