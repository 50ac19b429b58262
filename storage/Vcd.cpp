#include "storage/Vcd.h"

#include "storage/AtomicFile.h"

#include <algorithm>
#include <set>

namespace {

// Short codes for the signals in the changes: printable ASCII from ! to ~,
// then pairs of them, and so on.
std::string codeOf(int32_t signal) {
    std::string code;
    for (int64_t rest = signal; rest >= 0; rest = rest / 94 - 1) code += static_cast<char>('!' + rest % 94);
    return code;
}

class Writer {
public:
    Writer(const SignalRecord& record, std::string& text) : record_(record), text_(text) {
        for (int32_t signal = 0; signal < record.signalCount(); ++signal) codes_.push_back(codeOf(signal));
    }

    void header(const std::string& scope) {
        text_ += "$version Vorplex $end\n$timescale 1 s $end\n$scope module " + Vcd::identifier(scope) + " $end\n";
        std::set<std::string> taken;
        for (int32_t signal = 0; signal < record_.signalCount(); ++signal) {
            const std::string name = Vcd::identifier(record_.name(signal));
            std::string unique = name;
            for (int32_t copy = 2; !taken.insert(unique).second; ++copy) unique = name + "_" + std::to_string(copy);
            text_ += "$var wire 1 " + codes_[signal] + " " + unique + " $end\n";
        }
        text_ += "$upscope $end\n$enddefinitions $end\n";
    }

    // The first step in full, then the changes 64 steps at a time.
    void changes() {
        const int64_t first = record_.firstStep(), end = record_.endStep();
        if (first == end) return;
        text_ += "#0\n$dumpvars\n";
        for (int32_t signal = 0; signal < record_.signalCount(); ++signal)
            value(record_.since(signal) > first ? 'x' : record_.value(signal, first) ? '1' : '0', signal);
        text_ += "$end\n";
        std::vector<uint64_t> words(codes_.size()), changed(codes_.size()), last(codes_.size());
        for (int64_t block = first; block < end; block += 64) {
            uint64_t any = 0;
            for (size_t signal = 0; signal < codes_.size(); ++signal) {
                const auto index = static_cast<int32_t>(signal);
                const int64_t since = record_.since(index);
                // A step changes a signal when its value differs from the step
                // before, and when it is the signal's first after the first step.
                words[signal] = record_.bits(index, block);
                const uint64_t firstOfSignal = SignalRecord::stepsMask(block, since, since + 1);
                changed[signal] = ((words[signal] ^ (words[signal] << 1 | last[signal])) | firstOfSignal) &
                                  SignalRecord::stepsMask(block, std::max(since, first + 1), end);
                last[signal] = words[signal] >> 63;
                any |= changed[signal];
            }
            for (; any; any &= any - 1) {
                const int shift = __builtin_ctzll(any);
                text_ += "#" + std::to_string(block + shift - first) + "\n";
                for (size_t signal = 0; signal < codes_.size(); ++signal)
                    if (changed[signal] >> shift & 1)
                        value(words[signal] >> shift & 1 ? '1' : '0', static_cast<int32_t>(signal));
            }
        }
        text_ += "#" + std::to_string(end - first) + "\n";
    }

private:
    void value(char value, int32_t signal) {
        text_ += value;
        text_ += codes_[static_cast<size_t>(signal)];
        text_ += '\n';
    }

    const SignalRecord& record_;
    std::string& text_;
    std::vector<std::string> codes_;
};

}  // namespace

std::string Vcd::identifier(const std::string& name) {
    const auto isDigit = [](char byte) { return byte >= '0' && byte <= '9'; };
    std::string identifier = name.empty() || isDigit(name[0]) ? "_" : "";
    for (const char byte : name) {
        const bool letter = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z');
        identifier += letter || isDigit(byte) ? byte : '_';
    }
    return identifier;
}

std::string Vcd::format(const SignalRecord& record, const std::string& scope) {
    std::string text;
    Writer writer(record, text);
    writer.header(scope);
    writer.changes();
    return text;
}

void Vcd::write(const std::string& path, const SignalRecord& record, const std::string& scope) {
    AtomicFile::replace(path, format(record, scope));
}
