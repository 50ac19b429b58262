#pragma once

#include "storage/LibraryFile.h"

#include <chrono>
#include <optional>
#include <string>

// Keeps the work in the library file: written once something it keeps has
// changed, at most once a second while changes keep coming, so a kill loses
// at most the last second of work, and whenever the editor ends.
class Keeper {
public:
    using Time = std::chrono::microseconds;
    static constexpr Time INTERVAL = std::chrono::seconds(1);

    explicit Keeper(LibraryFile file) : file_(std::move(file)) {}

    const LibraryFile& file() const { return file_; }

    // Something the file keeps has changed: it is written when due, and a
    // write that failed is tried again.
    void changed() { unkept_ = true, failed_ = false; }
    bool unkept() const { return unkept_; }
    // Whether the work is to be written now; at the end, whatever the interval.
    bool due(Time now, bool ending) const;

    // Writes the work; why it failed, in a few words, and the line for the
    // terminal, or nothing.
    struct Failure {
        std::string words;
        std::string line;
    };
    std::optional<Failure> write(const Library& work, Time now);

    // What a write that failed with this error number comes to, in a few
    // words: "disk full".
    static std::string shortReason(int error);

private:
    LibraryFile file_;
    bool unkept_ = false;
    bool failed_ = false;  // the last write failed, and nothing changed since
    std::optional<Time> lastKept_;
};
