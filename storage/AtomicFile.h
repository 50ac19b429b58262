#pragma once

#include <stdexcept>
#include <string>

// A file a user keeps, replaced whole: the new text goes to a temporary file
// in the same folder, is synced, and is renamed over the old one, so the file
// is the old one or the new one at every moment. Through a symbolic link the
// file it names is replaced, and the link stays; the file keeps its mode.
class AtomicFile {
public:
    // A write that failed, the file left as it was: "PATH: cannot write: why".
    class Failed : public std::runtime_error {
    public:
        Failed(const std::string& what, int error) : std::runtime_error(what), error_(error) {}
        // The system's error number.
        int error() const { return error_; }

    private:
        int error_;
    };

    static void replace(const std::string& path, const std::string& text);
};
