#pragma once

#include <cstdint>
#include <string>

// Library texts of deep and wide chips, each in a line per level.
namespace deep {

inline std::string library(const std::string& definitions, int32_t named) {
    return R"({"format": "vorplex-library", "version": 1, "definitions": [)" + definitions +
           R"(], "chips": [{"name": "DEEP", "definition": )" + std::to_string(named) + "}]}";
}

inline std::string level(const std::string& parts, const std::string& connections) {
    return R"(, {"kind": 2, "id": 10001, "inputs": "0", "outputs": "0", "parts": [)" + parts +
           R"(], "connections": [)" + connections + "]}";
}

// A chip `levels` deep: a NOT (id 10002, definition 0) in a chip in a chip...,
// each level wiring its input through the level below to its output, and
// every `notEvery`-th level adding a NOT after it. Definition k is k + 1 deep.
inline std::string chain(int32_t levels, int32_t notEvery = 0) {
    std::string definitions = R"({"kind": 0, "id": 10002, "inputs": "0", "outputs": "1"})";
    definitions += level("0", "[0, 0, 10002, 0], [10002, 0, 0, 0]");
    for (int32_t k = 2; k < levels; ++k) {
        const std::string below = std::to_string(k - 1);
        definitions += notEvery > 0 && k % notEvery == 0
                           ? level(below + ", 0", "[0, 0, 10001, 0], [10001, 0, 10002, 0], [10002, 0, 0, 0]")
                           : level(below, "[0, 0, 10001, 0], [10001, 0, 0, 0]");
    }
    return library(definitions, levels - 1);
}

// 2^levels NOTs: each level two copies of the one before, the first fed
// from the level's input, the first again driving its output.
inline std::string doubling(int32_t levels) {
    std::string definitions = R"({"kind": 0, "id": 10001, "inputs": "0", "outputs": "1"})";
    for (int32_t k = 1; k <= levels; ++k) {
        const std::string below = std::to_string(k - 1);
        definitions += level(below + ", " + below, "[0, 0, 10001, 0], [10001, 0, 0, 0]");
    }
    return library(definitions, levels);
}

}  // namespace deep
