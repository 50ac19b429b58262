#include "check/VectorFile.h"

#include "check/TestFile.h"

#include <algorithm>
#include <sstream>

std::vector<std::vector<bool>> VectorFile::parse(const std::string& text, int32_t width) {
    std::vector<std::vector<bool>> rows;
    std::istringstream lines(text);
    int32_t number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        std::istringstream words(line.substr(0, line.find('#')));
        std::vector<bool> row;
        for (std::string word; words >> word; row.push_back(word == "1"))
            if (word != "0" && word != "1")
                throw TestFile::Malformed(std::to_string(number) + ": \"" + word + "\" is not 0 or 1");
        if (row.empty()) continue;
        if (row.size() != static_cast<size_t>(width))
            throw TestFile::Malformed(std::to_string(number) + ": a row of " + std::to_string(row.size()) +
                                      " values for a chip of " + std::to_string(width) + " inputs");
        rows.push_back(std::move(row));
    }
    if (rows.empty() && width > 0)
        throw TestFile::Malformed(std::to_string(std::max(number, 1)) + ": the file ends without a row");
    return rows;
}
