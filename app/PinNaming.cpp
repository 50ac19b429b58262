#include "app/PinNaming.h"

#include "widgets/NameBox.h"

void PinNaming::start(const Editor& editor, bool output, int32_t pin) {
    const PinNames& names = editor.board().names;
    const std::size_t at = static_cast<std::size_t>(pin);
    field_ = Field{output, pin, output ? names.output(at) : names.input(at)};
}

void PinNaming::type(Editor& editor, uint32_t codePoint) {
    if (!field_) return;
    if (codePoint == NameBox::CARRIAGE_RETURN) return end(editor);
    if (std::optional<std::string> name = NameBox::typed(codePoint, field_->name, PinNames::LONGEST)) field_->name = *name;
}

void PinNaming::end(Editor& editor) {
    if (!field_) return;
    editor.namePin(field_->output, field_->pin, field_->name);
    field_.reset();
}
