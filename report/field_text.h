#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace veltra {

// The text of one display field, kept inline. No figure's text comes near
// the capacity, and a text that never leaves its buffer is made, handed
// over and kept without an allocation or a library call to copy it: a run
// publishes a dozen of them per music item.
class FieldText {
public:
    static constexpr std::size_t kCapacity = 23;

    FieldText() = default;
    // Throws std::length_error for a text longer than kCapacity.
    explicit FieldText(std::string_view text);

    std::string_view view() const { return {bytes_.data(), size_}; }

    // For the makers of texts: write up to kCapacity bytes from data(),
    // then say how many.
    char* data() { return bytes_.data(); }
    void SetSize(std::size_t size) { size_ = static_cast<unsigned char>(size); }

private:
    std::array<char, kCapacity> bytes_{};
    unsigned char size_ = 0;
};

}  // namespace veltra
