#include "storage/LibraryFile.h"

// Any bytes as a library, and as copied chips: read or refused, never a
// crash or a hang. What is read is written as a text that reads back to the
// same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const std::string text = LibraryFile::format(LibraryFile::parse(bytes, "fuzz.json"));
        if (LibraryFile::format(LibraryFile::parse(text, "written.json")) != text) __builtin_trap();
    } catch (const LibraryFile::Refused&) {
    }
    try {
        const std::string text = LibraryFile::formatPiece(LibraryFile::parsePiece(bytes, "fuzz"));
        if (LibraryFile::formatPiece(LibraryFile::parsePiece(text, "written")) != text) __builtin_trap();
    } catch (const LibraryFile::Refused&) {
    }
    return 0;
}
