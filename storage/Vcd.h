#pragma once

#include "storage/SignalRecord.h"

#include <string>

// A signal record as a Value Change Dump (IEEE 1364), which waveform viewers
// read. A NAND's inputs 00, 11, then 10, its output two steps late:
//
//   $version Vorplex $end
//   $timescale 1 s $end              one step is one time unit
//   $scope module NAND $end
//   $var wire 1 ! in0 $end           a wire per signal, in order
//   $var wire 1 " in1 $end
//   $var wire 1 # out0 $end
//   $upscope $end
//   $enddefinitions $end
//   #0                               the oldest step kept is time 0
//   $dumpvars
//   0!
//   0"
//   1#
//   $end
//   #1                               then only the changes
//   1!
//   1"
//   #2
//   0"
//   #3
//   0#
//   #4
//   1#
//   #6                               the end of the last step
//
// A second is the largest unit the format knows, so a viewer never shows
// steps as some larger unit, and it is near what a slow step takes. A signal
// inserted after the oldest step kept is x (unknown) until it has a value.
class Vcd {
public:
    // `scope` names the module that holds the wires: the chip, or the board.
    static std::string format(const SignalRecord& record, const std::string& scope);
    // Written atomically (storage/AtomicFile.h): throws AtomicFile::Failed,
    // and the file is as it was.
    static void write(const std::string& path, const SignalRecord& record, const std::string& scope);

    // A name as the format wants it: letters, digits and _ stay, any other
    // byte (a space, a bracket, an 8-bit letter) becomes _, and a name that
    // is empty or starts with a digit gets a _ in front. "carry in" is
    // carry_in, "2nd" _2nd. Within a scope, a name met before gets _2, _3...
    static std::string identifier(const std::string& name);
};
