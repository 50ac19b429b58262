#pragma once

#include "chip/ChipLogic.h"
#include "storage/PinNames.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// The board as a library keeps it: its switches, its lamps, its chips (each
// with the name it was placed under, its logic with every pin value at every
// depth, and where its body stands), its complete wires in creation order
// and the names of its switches (inputs) and lamps (outputs).
struct KeptBoard {
    struct Input {
        bool value = false;
        bool clocked = false;

        friend bool operator==(const Input& a, const Input& b) { return a.value == b.value && a.clocked == b.clocked; }
    };
    struct PlacedChip {
        std::string name;
        ChipLogic logic;
        float x = 0.f;
        float y = 0.f;

        friend bool operator==(const PlacedChip& a, const PlacedChip& b) {
            return a.name == b.name && a.logic == b.logic && a.x == b.x && a.y == b.y;
        }
    };

    std::vector<Input> inputs{Input{}};
    std::vector<bool> outputs{false};
    std::vector<PlacedChip> chips;
    std::vector<Connection> wires;
    PinNames pins{};

    friend bool operator==(const KeptBoard& a, const KeptBoard& b) {
        return a.inputs == b.inputs && a.outputs == b.outputs && a.chips == b.chips && a.wires == b.wires && a.pins == b.pins;
    }
};

// A palette chip as a library keeps it: its name (8-bit, each byte standing
// for the code point of its value), its logic, if kept, the board it was
// saved from, and the names of its pins.
struct NamedChip {
    std::string name;
    ChipLogic chip;
    std::shared_ptr<const KeptBoard> board = nullptr;
    PinNames pins{};
};

// Everything a library file keeps: the palette's saved chips, the board, and
// the name typed for it.
struct Library {
    std::vector<NamedChip> chips;
    KeptBoard board;
    std::string name;
};

// The file that keeps the palette's saved chips and the board between runs,
// as JSON:
//
//   {"format": "vorplex-library", "version": 3,
//    "definitions": [{"kind": 0, "id": 12001, "inputs": "0", "outputs": "1"},
//                    {"kind": 2, "id": 40321, "inputs": "00", "outputs": "0",
//                     "parts": [0, 0], "connections": [[0, 0, 12001, 0], ...]}],
//    "chips": [{"name": "NAND", "definition": 1, "pins": {"inputs": ["a", ""], "outputs": ["y"]},
//               "board": {...as below, without "name"}}],
//    "board": {"inputs": "10", "clocked": "01", "outputs": "0", "name": "",
//              "pins": {"inputs": ["a", "b"], "outputs": [""]},
//              "chips": [{"name": "NAND", "definition": 1, "at": [300, 240]}],
//              "wires": [[0, 0, 40321, 0], [40321, 0, 0, 0]]}}
//
// A definition describes one chip of a tree: its kind, its id, its pin
// values, its sub-chips (definitions written before it) and its connections.
// Identical sub-trees are written once, across the palette and the board, so
// a chip made of copies of copies takes a line per level, not per gate.
// "pins" names every pin, "" leaving one unnamed, and is written only where
// some pin is named. Version 1 files, which hold no board, are read with an
// empty board; versions 1 and 2 hold no pin names.
class LibraryFile {
public:
    // A file that cannot be read or written: one line that says which file,
    // where in it and what is wrong.
    class Refused : public std::runtime_error {
    public:
        // What is wrong with a text, for saying it in a few words: it is not
        // one of ours, it is of a later version, a chip in it is too large or
        // too deep, or anything else that makes it unreadable.
        enum class Fault { Unreadable, NotOurs, Later, TooLarge, TooDeep };

        explicit Refused(const std::string& what, int error = 0, Fault fault = Fault::Unreadable)
            : std::runtime_error(what), error_(error), fault_(fault) {}
        // The system's error number for a file that could not be written, else 0.
        int error() const { return error_; }
        Fault fault() const { return fault_; }

    private:
        int error_;
        Fault fault_;
    };

    // Larger files are refused unread, and never written.
    static constexpr std::uintmax_t LARGEST_FILE = 64u << 20;
    static constexpr int VERSION = 3;

    // Whether the file's folder may be missing: then it is made, private to
    // the user, at the first write and not before.
    enum class Folder { Existing, MadeAtFirstWrite };

    explicit LibraryFile(std::string path, Folder folder = Folder::Existing)
        : path_(std::move(path)), folder_(folder) {}
    const std::string& path() const { return path_; }

    // What the file keeps; an empty library when there is no file yet.
    Library read() const;

    // Puts this library in the file in place of what it held. The file is the
    // old one or the new one at every moment, whatever happens meanwhile; a
    // write that fails leaves it as it was.
    void write(const Library& library) const;

    // The file's text for a library, and the library of a text: `name`
    // stands for the file in the reasons for a refusal.
    static std::string format(const Library& library);
    static Library parse(const std::string& text, const std::string& name);

    // A piece of a board as text, as the clipboard holds it: its chips, each
    // where it stands from the piece's top-left, and the wires between them,
    // none to the board's pins. Definitions as in a library, under a format
    // of its own, so that a library is no piece:
    //
    //   {"format": "vorplex-piece", "version": 3,
    //    "definitions": [...as in a library...],
    //    "chips": [{"name": "NAND", "definition": 1, "at": [0, 0]}, ...],
    //    "wires": [[40321, 0, 40877, 1], ...]}
    static std::string formatPiece(const KeptBoard& piece);
    // Refused as a library is, and with a fault for what is wrong.
    static KeptBoard parsePiece(const std::string& text, const std::string& name);

private:
    struct WrittenPalette;

    // Makes each missing folder on the way to the file, mode 0700.
    void makeFolder() const;

    // The text of a library, the palette's part taken as it was last written
    // while the palette stays the same: its chips never change, and large
    // ones take long to write.
    std::string formatKeepingPalette(const Library& library) const;
    static std::string textOf(const Library& library, const WrittenPalette& palette);

    std::string path_;
    Folder folder_;
    mutable std::shared_ptr<const WrittenPalette> writtenPalette_;
};
