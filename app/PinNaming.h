#pragma once

#include "editing/Editor.h"

#include <cstdint>
#include <optional>
#include <string>

// Naming a board input or output: Ctrl and a press on its circle opens a
// field beside it; typing names it (Backspace deletes), and Enter or a press
// anywhere else ends the naming, which is one step. It holds the name typed
// so far.
class PinNaming {
public:
    struct Field {
        bool output;
        int32_t pin;
        std::string name;  // 8-bit, as typed so far
    };

    const std::optional<Field>& field() const { return field_; }
    bool isActive() const { return field_.has_value(); }

    void start(const Editor& editor, bool output, int32_t pin);
    // A typed code point; Enter ends the naming.
    void type(Editor& editor, uint32_t codePoint);
    // The name typed becomes the pin's.
    void end(Editor& editor);

private:
    std::optional<Field> field_;
};
