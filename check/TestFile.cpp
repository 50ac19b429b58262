#include "check/TestFile.h"

#include "storage/Spelling.h"

#include <algorithm>
#include <sstream>

namespace {

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Reads a file line by line into its blocks.
class Parser {
public:
    std::vector<TestFile::Block> blocks;

    void readLine(const std::string& text, int32_t number) {
        line = number;
        const std::string content = trimmed(text.substr(0, text.find('#')));
        const std::vector<std::string> words = wordsOf(content);
        if (words.empty()) return;
        if (words[0] == "chip") return startBlock(trimmed(content.substr(4)));
        if (blocks.empty()) refuse("a line before the first \"chip NAME\"");
        TestFile::Block& block = blocks.back();
        if (words == std::vector<std::string>{"sequence"}) {
            if (!headerRead) refuse("\"sequence\" before the header of chip " + block.chip);
            ++sequence;
        } else if (!headerRead) {
            headerRead = true;
            block.headerLine = line;
            const auto [inputs, outputs] = split(words);
            block.inputNames = inputs, block.outputNames = outputs;
        } else if (words[0] == "settle") {
            readSettle(words);
        } else {
            readRow(block, words);
        }
    }

    void finish() const {
        if (!blocks.empty() && !headerRead) refuse("the file ends before the header of chip " + blocks.back().chip);
    }

private:
    [[noreturn]] void refuse(const std::string& what) const {
        throw TestFile::Malformed(std::to_string(line) + ": " + what);
    }

    void startBlock(const std::string& name) {
        if (name.empty()) refuse("\"chip\" without a name");
        if (!blocks.empty() && !headerRead) refuse("a new block before the header of chip " + blocks.back().chip);
        blocks.push_back({line, 0, name, {}, {}, {}});
        headerRead = false;
        settle = TestFile::ANY_SETTLE;
        sequence = 0;
    }

    // Inputs, "|", outputs.
    std::pair<std::vector<std::string>, std::vector<std::string>> split(const std::vector<std::string>& words) const {
        std::vector<std::string> halves[2];
        int32_t half = 0;
        for (const std::string& word : words) {
            if (word == "|" && half++ == 0) continue;
            if (word == "|" || word.find('|') != std::string::npos) refuse("not one \"|\" between inputs and outputs");
            halves[half].push_back(word);
        }
        if (half == 0) refuse("no \"|\" between inputs and outputs");
        return {halves[0], halves[1]};
    }

    void readSettle(const std::vector<std::string>& words) {
        if (words.size() != 2 || words[1].size() > 9 || words[1].find_first_not_of("0123456789") != std::string::npos)
            refuse("\"settle\" wants a number of calls, such as settle 8");
        settle = std::stoll(words[1]);
    }

    void readRow(const TestFile::Block& block, const std::vector<std::string>& words) {
        const auto [inputs, outputs] = split(words);
        if (inputs.size() != block.inputNames.size() || outputs.size() != block.outputNames.size())
            refuse("a row of " + Spelling::counted(static_cast<int64_t>(inputs.size()), "input") + " and " +
                   Spelling::counted(static_cast<int64_t>(outputs.size()), "output") + " under a header of " +
                   std::to_string(block.inputNames.size()) + " and " + std::to_string(block.outputNames.size()));
        TestFile::Row row{line, values(inputs), values(outputs), settle, sequence};
        const auto xs = std::count(row.inputs.begin(), row.inputs.end(), 'x');
        // Each value of an x would leave the chip in a state of its own for the next row.
        if (sequence != 0 && xs > 0) refuse("an input x in a sequence, whose rows each follow one row before");
        if (xs > static_cast<long>(TestFile::MOST_X_INPUTS))
            refuse("more than " + std::to_string(TestFile::MOST_X_INPUTS) + " inputs x in a row");
        blocks.back().rows.push_back(row);
    }

    std::string values(const std::vector<std::string>& words) const {
        std::string values;
        for (const std::string& word : words) {
            if (word != "0" && word != "1" && word != "x") refuse("\"" + word + "\" is not 0, 1 or x");
            values += word[0];
        }
        return values;
    }

    int32_t line = 0;
    bool headerRead = false;
    int64_t settle = TestFile::ANY_SETTLE;
    int32_t sequence = 0;
};

}  // namespace

std::vector<TestFile::Block> TestFile::parse(const std::string& text) {
    Parser parser;
    std::istringstream lines(text);
    int32_t number = 0;
    for (std::string line; std::getline(lines, line);) parser.readLine(line, ++number);
    parser.finish();
    return parser.blocks;
}
