#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

// The names of a chip's or a board's pins, inputs and outputs, top to
// bottom. Names are 8-bit like chip names, at most LONGEST characters. An
// empty name means the pin is unnamed, and so does a pin past the end of its
// list: a PinNames left as made names no pin.
struct PinNames {
    static constexpr std::size_t LONGEST = 12;

    std::vector<std::string> inputs;
    std::vector<std::string> outputs;

    const std::string& input(std::size_t pin) const { return nameIn(inputs, pin); }
    const std::string& output(std::size_t pin) const { return nameIn(outputs, pin); }
    // The pin's name, else in0 or out0: as tables, traces and the timing
    // diagram call it.
    std::string called(bool output, std::size_t pin) const {
        const std::string& name = output ? this->output(pin) : input(pin);
        return !name.empty() ? name : (output ? "out" : "in") + std::to_string(pin);
    }

    // Whether some pin has a name.
    bool any() const { return std::any_of(inputs.begin(), inputs.end(), named) || std::any_of(outputs.begin(), outputs.end(), named); }

    // The same name on every pin, however long the lists that hold them.
    friend bool operator==(const PinNames& a, const PinNames& b) {
        return sameNames(a.inputs, b.inputs) && sameNames(a.outputs, b.outputs);
    }
    friend bool operator!=(const PinNames& a, const PinNames& b) { return !(a == b); }

private:
    static bool named(const std::string& name) { return !name.empty(); }

    static const std::string& nameIn(const std::vector<std::string>& names, std::size_t pin) {
        static const std::string unnamed;
        return pin < names.size() ? names[pin] : unnamed;
    }

    static bool sameNames(const std::vector<std::string>& a, const std::vector<std::string>& b) {
        for (std::size_t pin = 0; pin < std::max(a.size(), b.size()); ++pin)
            if (nameIn(a, pin) != nameIn(b, pin)) return false;
        return true;
    }
};
