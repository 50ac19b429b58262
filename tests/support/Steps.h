#pragma once

#include <string>

// A user's clicks written as words, and the board they leave written as
// words, so that a test can be a table of both.
//
// The board starts with X (a saved chip with two inputs and two outputs, the
// second output driven by a NOT inside), Y (an AND) and N (a NOT). A step is a target, then where on it (< its left
// edge, > its right edge, ^ its top edge, v its bottom edge, else its middle),
// then how: l a left click (the default), r a right click, m a middle click,
// h the right button held for a frame. Targets: C "Connect"; +i -i +o -o the
// buttons that add and remove board inputs and outputs; i0 i1 o0 o1 board
// inputs and outputs; X Y N the chips; Pn Pa the NOT and AND in the palette,
// Pc the part of the NOT that lies in the column of board inputs, P the
// palette row beside its entries; W the middle of the first wire, W30
// 30 pixels below it.
//
// The board is described by the wiring state, then each wire from first to
// last as "X1>Y0" (from output 1 of X to input 0 of Y; b is the board, - no
// target yet), then "in0" for each board input that is on, "~in0" for each
// that blinks, "lamp0" for each lit lamp, and the number of chips when it is
// not 3.
std::string playOnBoard(const std::string& steps);
