#include "field_text.h"

#include <stdexcept>
#include <string>

namespace veltra {

FieldText::FieldText(std::string_view text) {
    if (text.size() > kCapacity) {
        throw std::length_error("a display field's text is longer than " +
                                std::to_string(kCapacity) + " bytes");
    }
    text.copy(bytes_.data(), text.size());
    SetSize(text.size());
}

}  // namespace veltra
