#include "chip/LibraryFile.h"

#include <SFML/System/Utf.hpp>
#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* FORMAT = "vorplex-library";
constexpr int VERSION = 1;
constexpr std::size_t LONGEST_NAME = 20;

// Names are 8-bit: each byte is the code point of its value, in UTF-8.
std::string toUtf8(const std::string& bytes) {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    std::string text;
    sf::Utf8::fromLatin1(begin, begin + bytes.size(), std::back_inserter(text));
    return text;
}

template <class Value>
void appendBytes(std::string& key, const Value& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Gives every distinct sub-tree one definition, children before parents. Two
// parts are the same when they share their circuit, id and own pin values,
// and their sub-chips are the same: the key says just that, cheaply, since a
// chip of a million gates asks for it a few million times.
class Writer {
public:
    Json definitions = Json::array();

    // Without recursion, so that no depth can exhaust the stack: each open
    // part gathers its sub-chips' definitions at the end of `gathered`, then
    // is defined itself and leaves its own in their place.
    std::size_t define(const ChipLogic::PartView& chip) {
        struct Open {
            ChipLogic::PartView part;
            std::size_t firstGathered;
        };
        std::vector<Open> open{{chip, 0}};
        std::vector<std::size_t> gathered;
        for (;;) {
            const Open& last = open.back();
            const std::size_t done = gathered.size() - last.firstGathered;
            if (done < static_cast<std::size_t>(last.part.subChipCount())) {
                open.push_back({last.part.subChip(static_cast<int32_t>(done)), gathered.size()});
                continue;
            }
            const std::size_t defined = defineOnce(last.part, gathered.data() + last.firstGathered, done);
            gathered.resize(last.firstGathered);
            open.pop_back();
            if (open.empty()) return defined;
            gathered.push_back(defined);
        }
    }

private:
    // The key is built in one buffer and looked up before anything is added:
    // most parts of a large chip repeat one met before.
    std::size_t defineOnce(const ChipLogic::PartView& part, const std::size_t* firstPart, std::size_t partCount) {
        const std::size_t* const endPart = firstPart + partCount;
        key.clear();
        appendBytes(key, part.circuit());
        appendBytes(key, part.id());
        for (int32_t pin = 0; pin < part.inputCount(); ++pin) key += part.input(pin) ? '1' : '0';
        key += '/';
        for (int32_t pin = 0; pin < part.outputCount(); ++pin) key += part.output(pin) ? '1' : '0';
        for (const std::size_t* sub = firstPart; sub != endPart; ++sub) appendBytes(key, *sub);
        if (const auto known = indexOf.find(key); known != indexOf.end()) return known->second;
        const std::size_t firstBit = sizeof(const void*) + sizeof(int32_t);  // after the circuit and the id
        const std::string inputs = key.substr(firstBit, static_cast<std::size_t>(part.inputCount()));
        const std::string outputs = key.substr(firstBit + inputs.size() + 1, static_cast<std::size_t>(part.outputCount()));
        definitions.push_back(describe(part, inputs, outputs, std::vector<std::size_t>(firstPart, endPart)));
        indexOf.emplace(key, definitions.size() - 1);
        return definitions.size() - 1;
    }

    static Json describe(const ChipLogic::PartView& part, const std::string& inputs, const std::string& outputs,
                         const std::vector<std::size_t>& parts) {
        Json definition{{"kind", part.kind()}, {"id", part.id()}, {"inputs", inputs}, {"outputs", outputs}};
        if (!parts.empty()) definition["parts"] = parts;
        if (part.connections().size() > 0) {
            Json& connections = definition["connections"] = Json::array();
            for (const Connection& c : part.connections()) connections.push_back({c.fromChip, c.fromPin, c.toChip, c.toPin});
        }
        return definition;
    }

    std::unordered_map<std::string, std::size_t> indexOf;
    std::string key;
};

// One definition as read, its size and depth over its whole tree.
struct Definition {
    ChipKind kind;
    int32_t id;
    std::string inputs, outputs;
    std::vector<std::size_t> parts;
    std::vector<Connection> connections;
    int64_t size;
    int32_t depth;
};

// Reads a library's text, refusing anything it cannot take with where and
// why. Everything is read and measured before any chip is built, so a small
// file that describes an enormous chip is refused at once.
class Reader {
public:
    explicit Reader(std::string name) : name(std::move(name)) {}

    std::vector<NamedChip> read(const std::string& text) {
        Json file;
        try {
            file = Json::parse(text);
        } catch (const Json::exception& error) {  // a number too large for any type included
            refuse("not JSON: " + std::string(error.what()).substr(std::string(error.what()).find(' ') + 1));
        }
        if (!file.is_object() || file.value("format", Json()) != FORMAT)
            refuse(std::string("not a library: no \"format\": \"") + FORMAT + "\"");
        if (file.value("version", Json()) != VERSION) refuse("version " + file.value("version", Json()).dump() + " is not 1");
        const Json& definitions = field(file, "definitions", Json::value_t::array);
        const Json& chips = field(file, "chips", Json::value_t::array);
        for (std::size_t index = 0; index < definitions.size(); ++index) {
            where = "definition " + std::to_string(index) + ": ";
            definitions_.push_back(readDefinition(definitions[index], index));
        }
        std::vector<std::pair<std::string, std::size_t>> named;
        for (std::size_t index = 0; index < chips.size(); ++index) named.push_back(readChip(chips[index], index, named));
        return build(named);
    }

private:
    [[noreturn]] void refuse(const std::string& what) const { throw LibraryFile::Refused(name + ": " + where + what); }

    const Json& field(const Json& object, const char* key, Json::value_t type) {
        if (!object.contains(key)) refuse(std::string("no \"") + key + "\"");
        const Json& value = object[key];
        if (value.type() != type && !(type == Json::value_t::number_integer && value.is_number_integer()))
            refuse(std::string("\"") + key + "\" is not " + Json(type).type_name());
        return value;
    }

    int32_t integer(const Json& object, const char* key) { return whole(field(object, key, Json::value_t::number_integer), key); }

    int32_t whole(const Json& value, const std::string& what) {
        if (!value.is_number_integer() || value < INT32_MIN || value > INT32_MAX) refuse(what + " is not a 32-bit whole number");
        return value.get<int32_t>();
    }

    std::string bits(const Json& object, const char* key) {
        const std::string text = field(object, key, Json::value_t::string).get<std::string>();
        if (text.find_first_not_of("01") != std::string::npos) refuse(std::string("\"") + key + "\" holds more than 0s and 1s");
        return text;
    }

    static std::string tooLarge() {
        return "larger than " + std::to_string(LARGEST_CHIP) + " parts (chips, pins and connections at every depth)";
    }

    Definition readDefinition(const Json& definition, std::size_t index) {
        if (!definition.is_object()) refuse("not an object");
        Definition read{integer(definition, "kind"), integer(definition, "id"), bits(definition, "inputs"),
                        bits(definition, "outputs"), {}, {}, 0, 1};
        read.size = 1 + static_cast<int64_t>(read.inputs.size() + read.outputs.size());
        for (const Json& part : definition.value("parts", Json::array())) {
            const std::string what = "sub-chip " + std::to_string(read.parts.size());
            const int32_t used = whole(part, what);
            if (used == static_cast<int32_t>(index)) refuse(what + ": the definition contains itself");
            if (used < 0 || static_cast<std::size_t>(used) > index) refuse(what + ": no definition " + std::to_string(used) + " before this one");
            read.parts.push_back(static_cast<std::size_t>(used));
            if ((read.size += definitions_[read.parts.back()].size) > LARGEST_CHIP) refuse(tooLarge());
            if ((read.depth = std::max(read.depth, definitions_[read.parts.back()].depth + 1)) > DEEPEST_CHIP)
                refuse("more than " + std::to_string(DEEPEST_CHIP) + " levels deep (chips within chips)");
        }
        for (const Json& c : definition.value("connections", Json::array())) {
            const std::string what = "connection " + std::to_string(read.connections.size());
            if (!c.is_array() || c.size() != 4) refuse(what + " is not four numbers");
            read.connections.push_back({whole(c[0], what), whole(c[1], what), whole(c[2], what), whole(c[3], what)});
            if (++read.size > LARGEST_CHIP) refuse(tooLarge());
        }
        return read;
    }

    std::pair<std::string, std::size_t> readChip(const Json& chip, std::size_t index,
                                                 const std::vector<std::pair<std::string, std::size_t>>& earlier) {
        where = "chip " + std::to_string(index) + ": ";
        if (!chip.is_object()) refuse("not an object");
        const std::string text = field(chip, "name", Json::value_t::string).get<std::string>();
        where = "chip \"" + text + "\": ";
        const std::string name = readName(text);
        for (const auto& [other, definition] : earlier)
            if (other == name) refuse("a second chip of this name");
        const int32_t definition = integer(chip, "definition");
        if (definition < 0 || static_cast<std::size_t>(definition) >= definitions_.size()) refuse("no definition " + std::to_string(definition));
        if ((total += definitions_[static_cast<std::size_t>(definition)].size) > LARGEST_CHIP) refuse("the chips together are " + tooLarge());
        return {name, static_cast<std::size_t>(definition)};
    }

    std::string readName(const std::string& text) {
        std::u32string codePoints;
        sf::Utf8::toUtf32(text.begin(), text.end(), std::back_inserter(codePoints));
        std::string name;
        for (const char32_t codePoint : codePoints) {
            if (codePoint > 0xFF) refuse("a name holds a character above U+00FF");
            name.push_back(static_cast<char>(codePoint));
        }
        if (name.empty() || name.size() > LONGEST_NAME) refuse("a name of " + std::to_string(name.size()) + " characters, not 1 to 20");
        return name;
    }

    // Builds the circuit of each definition the chips need, once, children
    // first, from its parts' circuits: a level costs what it holds itself,
    // not the levels below it. Only the chips named get pin values.
    std::vector<NamedChip> build(const std::vector<std::pair<std::string, std::size_t>>& named) const {
        std::vector<bool> needed(definitions_.size(), false);
        for (const auto& [name, definition] : named) needed[definition] = true;
        for (std::size_t index = definitions_.size(); index-- > 0;)
            for (const std::size_t part : definitions_[index].parts) needed[part] = needed[part] || needed[index];
        std::vector<ChipLogic::Circuit> circuits(definitions_.size());
        for (std::size_t index = 0; index < definitions_.size(); ++index) {
            if (!needed[index]) continue;
            const Definition& definition = definitions_[index];
            std::vector<std::pair<int32_t, ChipLogic::Circuit>> parts;
            for (const std::size_t part : definition.parts) parts.emplace_back(definitions_[part].id, circuits[part]);
            circuits[index] = ChipLogic::circuit(definition.kind, parts, definition.connections,
                                                 static_cast<int32_t>(definition.inputs.size()),
                                                 static_cast<int32_t>(definition.outputs.size()));
        }
        std::vector<NamedChip> chips;
        for (const auto& [name, definition] : named)
            chips.push_back({name, ChipLogic(definitions_[definition].id, circuits[definition], pinsOf(definition))});
        return chips;
    }

    // Every pin value of a definition's tree, part by part in pre-order.
    std::vector<uint8_t> pinsOf(std::size_t top) const {
        std::vector<uint8_t> pins;
        std::vector<std::size_t> waiting{top};
        while (!waiting.empty()) {
            const Definition& definition = definitions_[waiting.back()];
            waiting.pop_back();
            for (const std::string* bits : {&definition.inputs, &definition.outputs})
                for (const char bit : *bits) pins.push_back(bit == '1');
            waiting.insert(waiting.end(), definition.parts.rbegin(), definition.parts.rend());
        }
        return pins;
    }

    std::string name;
    std::string where;
    std::vector<Definition> definitions_;  // as read, in the file's order
    int64_t total = 0;  // of the chips
};

[[noreturn]] void failWrite(const std::string& path, const std::string& what) {
    throw LibraryFile::Refused(path + ": cannot write: " + what + ": " + std::strerror(errno));
}

}  // namespace

std::string LibraryFile::format(const std::vector<ChipToKeep>& chips) {
    Writer writer;
    Json list = Json::array();
    for (const ChipToKeep& chip : chips) {
        list.push_back({{"name", toUtf8(chip.name)}, {"definition", writer.define(chip.chip.part())}});
    }
    // One definition and one chip a line: readable, and a change shows as the lines it touches.
    std::ostringstream text;
    text << "{\n  \"format\": \"" << FORMAT << "\",\n  \"version\": " << VERSION << ",\n  \"definitions\": [";
    for (std::size_t i = 0; i < writer.definitions.size(); ++i) text << (i ? ",\n    " : "\n    ") << writer.definitions[i].dump();
    text << "\n  ],\n  \"chips\": [";
    for (std::size_t i = 0; i < list.size(); ++i) text << (i ? ",\n    " : "\n    ") << list[i].dump();
    text << "\n  ]\n}\n";
    return text.str();
}

std::vector<NamedChip> LibraryFile::parse(const std::string& text, const std::string& name) {
    return Reader(name).read(text);
}

std::vector<NamedChip> LibraryFile::read() const {
    std::error_code error;
    if (!std::filesystem::exists(path_, error)) return {};
    const std::uintmax_t size = std::filesystem::file_size(path_, error);
    if (error) throw Refused(path_ + ": cannot read: " + error.message());
    if (size > LARGEST_FILE) throw Refused(path_ + ": larger than " + std::to_string(LARGEST_FILE >> 20) + " MiB");
    std::ifstream file(path_, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file.good() && !file.eof()) throw Refused(path_ + ": cannot read: " + std::strerror(errno));
    return parse(text, std::filesystem::path(path_).filename().string());
}

// A temporary file in the same folder, written, synced and renamed over the
// old one: a rename within a file system replaces a file whole or not at all.
void LibraryFile::write(const std::vector<ChipToKeep>& chips) const {
    const std::string text = format(chips);
    if (text.size() > LARGEST_FILE) throw Refused(path_ + ": cannot write: the library would be larger than 64 MiB");
    const std::filesystem::path target(path_);
    const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
    std::string temporary = (std::filesystem::path(folder) / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) failWrite(path_, "cannot make a file in " + folder);
    bool written = true;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
        written = count > 0 || (count < 0 && errno == EINTR);
        done += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    written = written && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int reason = errno;
        std::remove(temporary.c_str());
        errno = reason;
        failWrite(path_, "the old library is kept");
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);  // the rename itself, made lasting
    if (folderFd >= 0) fsync(folderFd), ::close(folderFd);
}
