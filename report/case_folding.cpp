#include "case_folding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "cp1250.h"

namespace veltra {

namespace {

struct Folding {
    char32_t code;
    std::array<char32_t, 3> folded;  // unused places are 0
};

constexpr Folding kFoldings[] = {
#include "case_folding_table.inc"
};

struct Decoded {
    char32_t code;
    std::size_t length;
};

// One well-formed UTF-8 sequence at the start of `text`, or nullopt.
std::optional<Decoded> DecodeUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (text.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return std::nullopt;
    }
    return Decoded{code, length};
}

void AppendFolded(std::string& out, char32_t code) {
    const auto found = std::lower_bound(
        std::begin(kFoldings), std::end(kFoldings), code,
        [](const Folding& folding, char32_t wanted) { return folding.code < wanted; });
    if (found == std::end(kFoldings) || found->code != code) {
        AppendUtf8(out, code);
        return;
    }
    for (char32_t folded : found->folded) {
        if (folded != 0) {
            AppendUtf8(out, folded);
        }
    }
}

}  // namespace

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const char c = utf8.front();
        if (static_cast<unsigned char>(c) < 0x80) {
            out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
            utf8.remove_prefix(1);
        } else if (const std::optional<Decoded> decoded = DecodeUtf8(utf8)) {
            AppendFolded(out, decoded->code);
            utf8.remove_prefix(decoded->length);
        } else {
            out.push_back(c);
            utf8.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace veltra
