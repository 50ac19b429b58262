#pragma once

#include "editing/Board.h"

#include <memory>
#include <string>
#include <vector>

// A board that stood when a saved chip was opened over it, exactly as it
// stood (switches, chips with every pin value at every depth, wires), with
// the name typed for it: what going back brings back.
struct BoardLeft {
    Board board;
    std::string name;
};

// The boards left by the openings not gone back from, the first opening
// first. A value, kept in undo steps as it stood: its boards are shared and
// never change, so a copy costs a pointer per opening.
using WayBack = std::vector<std::shared_ptr<const BoardLeft>>;
