#include "storage/LibraryFile.h"

// Any bytes as a library: read or refused, never a crash or a hang.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        LibraryFile::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz.json");
    } catch (const LibraryFile::Refused&) {
    }
    return 0;
}
