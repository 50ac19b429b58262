#include "support/Steps.h"

#include <gtest/gtest.h>

// The wiring state table, row by row, and what a wire does to the board. The
// held right button deletes a wire within the ellipse around it whose foci
// are its ends and whose distance sum is its length plus one pixel.
TEST(Wiring, EveryRowOfTheStateTable) {
    const std::pair<const char*, const char*> rows[] = {
        {"C", "Armed"},
        {"C C", "Armed"},
        {"C i0", "Target b0>-"},
        {"C Xl", "Target X0>-"},
        {"C Xr", "Source X0>-"},
        {"C Xm Xr", "Source X1>-"},
        {"C Xr Xr Xr", "Source X0>-"},
        {"C Xr Xr Xl", "Target X1>-"},
        {"C Xr Yr", "Source Y0>-"},
        {"C Xr Yl", "Target Y0>-"},
        {"C Xr i0", "Source X0>-"},
        {"C Xr C", "Idle"},
        {"C Xr P", "Idle"},
        {"C Pn", "Idle chips 4"},
        {"C i0 i0", "Target b0>-"},
        {"C i0 P", "Target b0>-"},
        {"C i0 Pn", "Target b0>-"},
        {"C i0 C", "Idle"},
        {"C i0 o0r", "Idle b0>b0"},
        {"C i0 o0 C Xl o0", "Idle b0>b0"},
        {"C Xl Yl", "Idle X0>Y0"},
        {"C Xl Yl C i0 Yl", "Idle X0>Y0 b0>Y1"},
        {"C Xl Yl C i0 Yl C Nl Ym", "Idle X0>Y0 b0>Y1"},
        {"C i0 Yr", "Target b0>Y0"},
        {"C i0 Ym Yr", "Target b0>Y1"},
        {"C i0 Yr Yr Yr", "Target b0>Y0"},
        {"C i0 Yr Yr Yl", "Idle b0>Y1"},
        {"C Xl Yl C i0 Yr Yr", "Target X0>Y0 b0>Y1"},
        {"C i0 Nr Nr", "Target b0>N0"},
        {"C Nl Nl", "Idle N0>N0"},
        {"C i0 o0 Wh", "Idle"},
        {"C i0 o0 C i0 Yl i0>h", "Idle b0>Y0"},  // under both wires: the older goes, one a frame
        {"C i0 o0 W30h", "Idle"},  // the ellipse around a wire of 1844 px reaches 30.4 px aside
        {"C i0 o0 W31h", "Idle b0>b0"},
        {"C i0 o0 C Wh", "Armed b0>b0"},
        {"C i0 o0 C i0 Wh", "Target b0>b0 b0>-"},
        {"C Xl Yl C Yl o0 Yr", "Idle chips 2"},
        {"+i C i1 Xl C i0 X -i", "Idle b0>X1"},
        {"+i C i1 -i", "Idle"},
        {"+o C i0 o1 C Nl o0 -o", "Idle N0>b0 lamp0"},
        {"C Xr Xr Xl o0", "Idle X1>b0 lamp0"},
    };
    for (const auto& [steps, board] : rows) EXPECT_EQ(playOnBoard(steps), board) << steps;
}
