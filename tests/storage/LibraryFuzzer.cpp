#include "storage/LibraryFile.h"

// Any bytes as a library: read or refused, never a crash or a hang. What is
// read is written as a file that reads back to the same text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const std::string text = LibraryFile::format(LibraryFile::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.json"));
        if (LibraryFile::format(LibraryFile::parse(text, "written.json")) != text) __builtin_trap();
    } catch (const LibraryFile::Refused&) {
    }
    return 0;
}
