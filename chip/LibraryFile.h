#pragma once

#include "chip/ChipLogic.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A palette chip as a library keeps it: its name (8-bit, each byte standing
// for the code point of its value) and its logic.
struct NamedChip {
    std::string name;
    ChipLogic chip;
};

// A chip to be written: its name and its logic where it stands.
struct ChipToKeep {
    std::string name;
    const ChipLogic& chip;
};

// The file that keeps the palette's saved chips between runs, as JSON:
//
//   {"format": "vorplex-library", "version": 1,
//    "definitions": [{"kind": 0, "id": 12001, "inputs": "0", "outputs": "1"},
//                    {"kind": 2, "id": 40321, "inputs": "00", "outputs": "0",
//                     "parts": [0, 0], "connections": [[0, 0, 12001, 0], ...]}],
//    "chips": [{"name": "NAND", "definition": 1}]}
//
// A definition describes one chip of a tree: its kind, its id, its pin
// values, its sub-chips (definitions written before it) and its connections.
// Identical sub-trees are written once, so a chip made of copies of copies
// takes a line per level, not per gate.
class LibraryFile {
public:
    // A file that cannot be read or written: one line that says which file,
    // where in it and what is wrong.
    class Refused : public std::runtime_error {
    public:
        using std::runtime_error::runtime_error;
    };

    // Larger files are refused unread, and never written.
    static constexpr std::uintmax_t LARGEST_FILE = 64u << 20;

    // Whether the file's folder may be missing: then it is made, private to
    // the user, at the first write and not before.
    enum class Folder { Existing, MadeAtFirstWrite };

    explicit LibraryFile(std::string path, Folder folder = Folder::Existing)
        : path_(std::move(path)), folder_(folder) {}
    const std::string& path() const { return path_; }

    // The chips in the file's order; none when there is no file yet.
    std::vector<NamedChip> read() const;

    // Puts these chips in the file in place of what it held. The file is the
    // old one or the new one at every moment, whatever happens meanwhile; a
    // write that fails leaves it as it was.
    void write(const std::vector<ChipToKeep>& chips) const;

    // The file's text for these chips, and the chips of a text: `name`
    // stands for the file in the reasons for a refusal.
    static std::string format(const std::vector<ChipToKeep>& chips);
    static std::vector<NamedChip> parse(const std::string& text, const std::string& name);

private:
    // Makes each missing folder on the way to the file, mode 0700.
    void makeFolder() const;

    std::string path_;
    Folder folder_;
};
