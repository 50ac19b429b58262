#pragma once

#include <cstdint>
#include <string>

namespace deep {

// The library text of a chip `levels` deep, a line per level: a NOT (id
// 10001) in a chip in a chip..., each level wiring its input through the
// level below to its output, every `notEvery`-th also through a NOT (id 10002)
// after it. Definition k is k deep.
inline std::string chain(int32_t levels, int32_t notEvery = 0) {
    std::string text = R"({"format": "vorplex-library", "version": 1, "definitions": [)"
                       R"({"kind": 0, "id": 10002, "inputs": "0", "outputs": "1"}, {"kind": 0, "id": 10001, "inputs": "0", "outputs": "1"})";
    for (int32_t k = 2; k <= levels; ++k) {
        text += R"(, {"kind": 2, "id": 10001, "inputs": "0", "outputs": "0", "parts": [)" + std::to_string(k - 1) +
                (notEvery > 0 && k % notEvery == 0 ? R"(, 0], "connections": [[0, 0, 10001, 0], [10001, 0, 10002, 0], [10002, 0, 0, 0]]})"
                                                   : R"(], "connections": [[0, 0, 10001, 0], [10001, 0, 0, 0]]})");
    }
    return text + R"(], "chips": [{"name": "DEEP", "definition": )" + std::to_string(levels) + "}]}";
}

}  // namespace deep
