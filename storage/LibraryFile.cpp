#include "storage/LibraryFile.h"

#include "storage/AtomicFile.h"
#include "storage/Spelling.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <set>
#include <unordered_map>

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* FORMAT = "vorplex-library";
constexpr const char* PIECE_FORMAT = "vorplex-piece";
constexpr std::size_t LONGEST_NAME = 20;
// No screen is so wide: a chip farther out would stand nowhere a float can
// hold it with its width, or at infinity.
constexpr double FARTHEST = 1e6;

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
    // A board as read, each chip's logic still to be built from the
    // definition of the same index.
    struct ReadBoard {
        KeptBoard kept;
        std::vector<std::size_t> definitions;
    };

public:
    explicit Reader(std::string name) : name(std::move(name)) {}

    Library read(const std::string& text) {
        const Json file = open(text, FORMAT, "not a library");
        const int version = readVersion(file.value("version", Json()));
        const Json& definitions = field(file, "definitions", Json::value_t::array);
        const Json& chips = field(file, "chips", Json::value_t::array);
        readDefinitions(definitions);
        std::vector<std::pair<std::string, std::size_t>> named;
        std::vector<ReadBoard> boards;  // the board, then those the palette's chips were saved from
        boards.push_back(version >= 2 && file.contains("board") ? readBoard(file["board"], "board: ") : ReadBoard{});
        std::vector<std::size_t> boardOfChip;
        std::vector<PinNames> pins;
        for (std::size_t index = 0; index < chips.size(); ++index) {
            named.push_back(readChip(chips[index], index, named));
            const Definition& definition = definitions_[named.back().second];
            pins.push_back(readPins(chips[index], definition.inputs.size(), definition.outputs.size()));
            const bool saved = version >= 2 && chips[index].contains("board");
            if (saved) boards.push_back(readBoard(chips[index]["board"], where + "board: "));
            boardOfChip.push_back(saved ? boards.size() - 1 : 0);
        }
        Library library;
        if (version >= 2 && file.contains("board")) {
            where = "board: ";  // not where the last board read left it
            library.name = readName(field(file["board"], "name", Json::value_t::string).get<std::string>(), true);
        }
        assemble(library, named, boards, boardOfChip);
        for (std::size_t index = 0; index < pins.size(); ++index) library.chips[index].pins = std::move(pins[index]);
        return library;
    }

    // A piece is read as a board without pins would be.
    KeptBoard readPiece(const std::string& text) {
        const Json file = open(text, PIECE_FORMAT, "not a piece of a board");
        readVersion(file.value("version", Json()));
        const Json& definitions = field(file, "definitions", Json::value_t::array);
        const Json& chips = field(file, "chips", Json::value_t::array);
        const Json& wires = field(file, "wires", Json::value_t::array);
        readDefinitions(definitions);
        std::vector<ReadBoard> piece(1);
        piece[0].kept.inputs.clear(), piece[0].kept.outputs.clear();
        std::unordered_map<int32_t, const Definition*> firstWithId;
        readWires(wires, "", piece[0].kept, firstWithId, readPlacedChips(chips, "", piece[0], firstWithId, 1));
        Library library;
        std::vector<std::pair<std::string, std::size_t>> named;
        assemble(library, named, piece, {});
        return std::move(library.board);
    }

private:
    using Fault = LibraryFile::Refused::Fault;

    [[noreturn]] void refuse(const std::string& what, Fault fault = Fault::Unreadable) const {
        throw LibraryFile::Refused(name + ": " + where + what, 0, fault);
    }
    [[noreturn]] void refuseTooLarge(const std::string& what) const { refuse(what + tooLarge(), Fault::TooLarge); }

    Json open(const std::string& text, const char* format, const char* notOfFormat) {
        Json file;
        try {
            file = Json::parse(text);
        } catch (const Json::exception& error) {  // a number too large for any type included
            refuse("not JSON: " + std::string(error.what()).substr(std::string(error.what()).find(' ') + 1), Fault::NotOurs);
        }
        if (!file.is_object() || file.value("format", Json()) != format)
            refuse(std::string(notOfFormat) + ": no \"format\": \"" + format + "\"", Fault::NotOurs);
        return file;
    }

    void readDefinitions(const Json& definitions) {
        for (std::size_t index = 0; index < definitions.size(); ++index) {
            where = "definition " + std::to_string(index) + ": ";
            definitions_.push_back(readDefinition(definitions[index], index));
        }
    }

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

    int readVersion(const Json& version) {
        if (!version.is_number_integer() || version < 1)
            refuse("version " + version.dump() + " is not 1 to " + std::to_string(LibraryFile::VERSION));
        if (version > LibraryFile::VERSION)
            refuse("version " + version.dump() + " is newer than this editor reads (" + std::to_string(LibraryFile::VERSION) + ")",
                   Fault::Later);
        return version.get<int>();
    }

    // Builds every chip once, the palette's and those on the boards together,
    // and hands each its logic.
    void assemble(Library& library, std::vector<std::pair<std::string, std::size_t>>& named, std::vector<ReadBoard>& boards,
                  const std::vector<std::size_t>& boardOfChip) const {
        const std::size_t paletteSize = named.size();
        for (const ReadBoard& board : boards)
            for (std::size_t index = 0; index < board.definitions.size(); ++index)
                named.emplace_back(board.kept.chips[index].name, board.definitions[index]);
        std::vector<NamedChip> built = build(named);
        std::size_t next = paletteSize;
        for (ReadBoard& board : boards)
            for (KeptBoard::PlacedChip& chip : board.kept.chips) chip.logic = std::move(built[next++].chip);
        built.erase(built.begin() + static_cast<std::ptrdiff_t>(paletteSize), built.end());
        for (std::size_t index = 0; index < paletteSize; ++index)
            if (boardOfChip[index] != 0) built[index].board = std::make_shared<const KeptBoard>(std::move(boards[boardOfChip[index]].kept));
        library.chips = std::move(built);
        library.board = std::move(boards.front().kept);
    }

    // A board's pins, chips and wires, checked so that every wire joins pins
    // that exist and no pin is fed twice; `context` says which board it is.
    ReadBoard readBoard(const Json& board, const std::string& context) {
        where = context;
        if (!board.is_object()) refuse("not an object");
        const std::string inputs = bits(board, "inputs"), clocked = bits(board, "clocked"), outputs = bits(board, "outputs");
        if (inputs.empty() || outputs.empty() || clocked.size() != inputs.size())
            refuse("\"inputs\" and \"clocked\" of one length and \"outputs\", each at least one pin, are wanted");
        ReadBoard read;
        KeptBoard& kept = read.kept;
        kept.pins = readPins(board, inputs.size(), outputs.size());
        kept.inputs.clear();
        for (std::size_t pin = 0; pin < inputs.size(); ++pin) kept.inputs.push_back({inputs[pin] == '1', clocked[pin] == '1'});
        kept.outputs.assign(outputs.size(), false);
        for (std::size_t pin = 0; pin < outputs.size(); ++pin) kept.outputs[pin] = outputs[pin] == '1';
        std::unordered_map<int32_t, const Definition*> firstWithId;
        const int64_t size = readPlacedChips(field(board, "chips", Json::value_t::array), context, read, firstWithId,
                                             1 + static_cast<int64_t>(inputs.size() + outputs.size()));
        readWires(field(board, "wires", Json::value_t::array), context, kept, firstWithId, size);
        return read;
    }

    // A board's chips, each with its name, definition and place; the size
    // of the board with them.
    int64_t readPlacedChips(const Json& chips, const std::string& context, ReadBoard& read,
                            std::unordered_map<int32_t, const Definition*>& firstWithId, int64_t size) {
        for (std::size_t index = 0; index < chips.size(); ++index) {
            where = context + "chip " + std::to_string(index) + ": ";
            const Json& chip = chips[index];
            if (!chip.is_object()) refuse("not an object");
            const std::string name = readName(field(chip, "name", Json::value_t::string).get<std::string>());
            const int32_t definition = integer(chip, "definition");
            if (definition < 0 || static_cast<std::size_t>(definition) >= definitions_.size()) refuse("no definition " + std::to_string(definition));
            const Definition& used = definitions_[static_cast<std::size_t>(definition)];
            if (used.id < FIRST_CHIP_ID || used.id > LAST_CHIP_ID)
                refuse("id " + std::to_string(used.id) + " is not from " + std::to_string(FIRST_CHIP_ID) + " to " + std::to_string(LAST_CHIP_ID));
            const Json& at = field(chip, "at", Json::value_t::array);
            if (at.size() != 2 || !at[0].is_number() || !at[1].is_number()) refuse("\"at\" is not two numbers");
            if (std::abs(at[0].get<double>()) > FARTHEST || std::abs(at[1].get<double>()) > FARTHEST)
                refuse("\"at\" is more than 1000000 pixels out");
            if ((size += used.size) > LARGEST_CHIP) refuseTooLarge("the board is ");
            firstWithId.emplace(used.id, &used);
            read.definitions.push_back(static_cast<std::size_t>(definition));
            read.kept.chips.push_back({name, ChipLogic(NOT_CHIP), at[0].get<float>(), at[1].get<float>()});
        }
        return size;
    }

    void readWires(const Json& wires, const std::string& context, KeptBoard& kept,
                   const std::unordered_map<int32_t, const Definition*>& chips, int64_t size) {
        std::set<std::pair<int32_t, int32_t>> fed;
        // The pin count on the given side of board chip `id`, or of the board itself.
        const auto pins = [&](int32_t id, bool inputsOfChip, const std::string& what) -> std::size_t {
            if (id == 0) return inputsOfChip ? kept.outputs.size() : kept.inputs.size();
            const auto chip = chips.find(id);
            if (chip == chips.end()) refuse(what + ": no chip " + std::to_string(id) + " on the board");
            return (inputsOfChip ? chip->second->inputs : chip->second->outputs).size();
        };
        for (std::size_t index = 0; index < wires.size(); ++index) {
            where = context + "wire " + std::to_string(index) + ": ";
            const Json& c = wires[index];
            if (!c.is_array() || c.size() != 4) refuse("not four numbers");
            const Connection wire{whole(c[0], "a wire end"), whole(c[1], "a wire end"), whole(c[2], "a wire end"), whole(c[3], "a wire end")};
            if (wire.fromPin < 0 || static_cast<std::size_t>(wire.fromPin) >= pins(wire.fromChip, false, "source"))
                refuse("its source has no pin " + std::to_string(wire.fromPin));
            if (wire.toPin < 0 || static_cast<std::size_t>(wire.toPin) >= pins(wire.toChip, true, "target"))
                refuse("its target has no pin " + std::to_string(wire.toPin));
            if (!fed.insert({wire.toChip, wire.toPin}).second) refuse("its target is fed by an earlier wire");
            if (++size > LARGEST_CHIP) refuseTooLarge("the board is ");
            kept.wires.push_back(wire);
        }
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
            if ((read.size += definitions_[read.parts.back()].size) > LARGEST_CHIP) refuseTooLarge("");
            if ((read.depth = std::max(read.depth, definitions_[read.parts.back()].depth + 1)) > DEEPEST_CHIP)
                refuse("more than " + std::to_string(DEEPEST_CHIP) + " levels deep (chips within chips)", Fault::TooDeep);
        }
        for (const Json& c : definition.value("connections", Json::array())) {
            const std::string what = "connection " + std::to_string(read.connections.size());
            if (!c.is_array() || c.size() != 4) refuse(what + " is not four numbers");
            read.connections.push_back({whole(c[0], what), whole(c[1], what), whole(c[2], what), whole(c[3], what)});
            if (++read.size > LARGEST_CHIP) refuseTooLarge("");
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
        if ((total += definitions_[static_cast<std::size_t>(definition)].size) > LARGEST_CHIP) refuseTooLarge("the chips together are ");
        return {name, static_cast<std::size_t>(definition)};
    }

    // The names in a chip's or a board's "pins", if it has them: a name for
    // each pin, "" for none.
    PinNames readPins(const Json& owner, std::size_t inputCount, std::size_t outputCount) {
        if (!owner.contains("pins")) return {};
        const Json& pins = field(owner, "pins", Json::value_t::object);
        const std::string context = where;
        where += "pins: ";
        PinNames read{pinNames(pins, "input", inputCount), pinNames(pins, "output", outputCount)};
        where = context;
        return read;
    }

    std::vector<std::string> pinNames(const Json& pins, const std::string& side, std::size_t count) {
        const std::string context = where;
        const Json& list = field(pins, (side + "s").c_str(), Json::value_t::array);
        if (list.size() != count)
            refuse("\"" + side + "s\" holds " + std::to_string(list.size()) + " names, not " + std::to_string(count));
        std::vector<std::string> names;
        for (const Json& name : list) {
            where = context + side + " " + std::to_string(names.size()) + ": ";
            if (!name.is_string()) refuse("not a string");
            names.push_back(readName(name.get<std::string>(), 0, PinNames::LONGEST));
        }
        where = context;
        return names;
    }

    std::string readName(const std::string& text, bool mayBeEmpty = false) { return readName(text, mayBeEmpty ? 0 : 1, LONGEST_NAME); }

    std::string readName(const std::string& text, std::size_t shortest, std::size_t longest) {
        const std::optional<std::string> decoded = Spelling::decode(text);
        if (!decoded) refuse("a name holds a character above U+00FF");
        const std::string& name = *decoded;
        if (name.size() < shortest || name.size() > longest)
            refuse("a name of " + std::to_string(name.size()) + " characters, not " + std::to_string(shortest) + " to " + std::to_string(longest));
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
    throw LibraryFile::Refused(path + ": cannot write: " + what + ": " + std::strerror(errno), errno);
}

}  // namespace

namespace {

std::string bitsOf(const std::vector<bool>& values) {
    std::string text;
    for (const bool value : values) text += value ? '1' : '0';
    return text;
}

// Items of a list one a line, `depth` levels in: readable, and a change shows
// as the lines it touches.
void writeList(std::ostringstream& text, const Json& items, std::size_t depth) {
    const std::string indent(2 * depth, ' ');
    text << '[';
    for (std::size_t i = 0; i < items.size(); ++i) text << (i ? ",\n" : "\n") << indent << items[i].dump();
    text << '\n' << indent.substr(2) << ']';
}

// A text's format, version and definitions, the same for a library and a piece.
void writeHead(std::ostringstream& text, const char* format, const Json& definitions) {
    text << "{\n  \"format\": \"" << format << "\",\n  \"version\": " << LibraryFile::VERSION << ",\n  \"definitions\": ";
    writeList(text, definitions, 2);
}

// A described board's chips and wires, each a list `depth` levels in.
void writeChipsAndWires(std::ostringstream& text, const Json& board, std::size_t depth) {
    const std::string indent(2 * depth - 2, ' ');
    text << ",\n" << indent << "\"chips\": ";
    writeList(text, board["chips"], depth);
    text << ",\n" << indent << "\"wires\": ";
    writeList(text, board["wires"], depth);
}

}  // namespace

namespace {

// A name for each pin, "" for an unnamed one; names past the last pin name none.
Json describePins(const PinNames& pins, std::size_t inputCount, std::size_t outputCount) {
    Json inputs = Json::array(), outputs = Json::array();
    for (std::size_t pin = 0; pin < inputCount; ++pin) inputs.push_back(Spelling::utf8(pins.input(pin)));
    for (std::size_t pin = 0; pin < outputCount; ++pin) outputs.push_back(Spelling::utf8(pins.output(pin)));
    return {{"inputs", inputs}, {"outputs", outputs}};
}

// A board's pins with their names if any is named, and its chips and wires
// each in a list, the chips defined by `writer`.
Json describeBoard(const KeptBoard& board, Writer& writer) {
    std::vector<bool> inputs, clocked;
    for (const KeptBoard::Input& input : board.inputs) inputs.push_back(input.value), clocked.push_back(input.clocked);
    Json chips = Json::array(), wires = Json::array();
    for (const KeptBoard::PlacedChip& chip : board.chips)
        chips.push_back({{"name", Spelling::utf8(chip.name)}, {"definition", writer.define(chip.logic.part())}, {"at", {chip.x, chip.y}}});
    for (const Connection& c : board.wires) wires.push_back({c.fromChip, c.fromPin, c.toChip, c.toPin});
    Json described{{"inputs", bitsOf(inputs)}, {"clocked", bitsOf(clocked)}, {"outputs", bitsOf(board.outputs)}};
    if (board.pins.any()) described["pins"] = describePins(board.pins, board.inputs.size(), board.outputs.size());
    described["chips"] = chips;
    described["wires"] = wires;
    return described;
}

}  // namespace

// The palette's chips one a line, each with the board it was saved from; the
// board's pins on a line, then its chips and wires one a line.
// The palette's chips, each with the board it was saved from, as definitions
// and a list, and the writer that defined them, to define the board's after.
struct LibraryFile::WrittenPalette {
    std::vector<NamedChip> chips;
    Writer writer;
    Json list = Json::array();

    explicit WrittenPalette(const std::vector<NamedChip>& palette) : chips(palette) {
        for (const NamedChip& chip : chips) {
            list.push_back({{"name", Spelling::utf8(chip.name)}, {"definition", writer.define(chip.chip.part())}});
            if (chip.pins.any())
                list.back()["pins"] = describePins(chip.pins, static_cast<std::size_t>(chip.chip.inputCount()),
                                                   static_cast<std::size_t>(chip.chip.outputCount()));
            if (chip.board) list.back()["board"] = describeBoard(*chip.board, writer);
        }
    }

    bool isOf(const std::vector<NamedChip>& palette) const {
        return std::equal(chips.begin(), chips.end(), palette.begin(), palette.end(), [](const NamedChip& a, const NamedChip& b) {
            return a.name == b.name && a.board == b.board && a.pins == b.pins && a.chip == b.chip;
        });
    }
};

std::string LibraryFile::format(const Library& library) { return textOf(library, WrittenPalette(library.chips)); }

std::string LibraryFile::formatKeepingPalette(const Library& library) const {
    if (!writtenPalette_ || !writtenPalette_->isOf(library.chips)) writtenPalette_ = std::make_shared<const WrittenPalette>(library.chips);
    return textOf(library, *writtenPalette_);
}

std::string LibraryFile::textOf(const Library& library, const WrittenPalette& palette) {
    Writer writer = palette.writer;
    const Json& chips = palette.list;
    const Json board = describeBoard(library.board, writer);
    std::ostringstream text;
    writeHead(text, FORMAT, writer.definitions);
    text << ",\n  \"chips\": ";
    writeList(text, chips, 2);
    text << ",\n  \"board\": {\n    \"inputs\": " << board["inputs"].dump() << ", \"clocked\": " << board["clocked"].dump()
         << ", \"outputs\": " << board["outputs"].dump() << ", \"name\": " << Json(Spelling::utf8(library.name)).dump();
    if (board.contains("pins")) text << ",\n    \"pins\": " << board["pins"].dump();
    writeChipsAndWires(text, board, 3);
    text << "\n  }\n}\n";
    return text.str();
}

Library LibraryFile::parse(const std::string& text, const std::string& name) {
    return Reader(name).read(text);
}

std::string LibraryFile::formatPiece(const KeptBoard& piece) {
    Writer writer;
    const Json described = describeBoard(piece, writer);
    std::ostringstream text;
    writeHead(text, PIECE_FORMAT, writer.definitions);
    writeChipsAndWires(text, described, 2);
    text << "\n}\n";
    return text.str();
}

KeptBoard LibraryFile::parsePiece(const std::string& text, const std::string& name) { return Reader(name).readPiece(text); }

Library LibraryFile::read() const {
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

// Written whole and atomically (storage/AtomicFile.h).
void LibraryFile::write(const Library& library) const {
    const std::string text = formatKeepingPalette(library);
    if (text.size() > LARGEST_FILE) throw Refused(path_ + ": cannot write: the library would be larger than 64 MiB");
    if (folder_ == Folder::MadeAtFirstWrite) makeFolder();
    try {
        AtomicFile::replace(path_, text);
    } catch (const AtomicFile::Failed& failed) {
        throw Refused(std::string(failed.what()) + "; the old library is kept", failed.error());
    }
}

void LibraryFile::makeFolder() const {
    std::filesystem::path folder;
    for (const std::filesystem::path& part : std::filesystem::path(path_).parent_path()) {
        folder /= part;
        if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) failWrite(path_, "cannot make " + folder.string());
    }
}
