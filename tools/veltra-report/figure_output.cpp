#include "figure_output.h"

#include <algorithm>
#include <array>

#include "figure_field.h"
#include "figure_publisher.h"

namespace veltra {

std::size_t Utf8Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void AppendJsonString(std::string& out, std::string_view text) {
    static constexpr std::array<char, 16> kHex{'0', '1', '2', '3', '4', '5', '6', '7',
                                               '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out.push_back('"');
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 0x20) {
            out.append("\\u00");
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 0xF]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

std::string FiguresAsText(const LatestFigures& figures) {
    std::string out;
    for (const FigurePanel& panel : FigurePanels()) {
        if (!out.empty()) {
            out.push_back('\n');
        }
        out.append(panel.title).push_back('\n');
        std::size_t width = 0;
        for (Field field : panel.fields) {
            width = std::max(width, Utf8Width(FieldCaption(field)));
        }
        for (Field field : panel.fields) {
            const std::string_view caption = FieldCaption(field);
            const std::string text = figures.Text(field);
            out.append("  ").append(caption);
            if (!text.empty()) {
                out.append(width - Utf8Width(caption) + 1, ' ').append(text);
            }
            out.push_back('\n');
        }
    }
    return out;
}

std::string FiguresAsJson(const LatestFigures& figures) {
    std::string out = "{\n";
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        out.append("  ");
        AppendJsonString(out, FieldName(field));
        out.append(": ");
        AppendJsonString(out, figures.Text(field));
        out.append(i + 1 < kDisplayFieldCount ? ",\n" : "\n");
    }
    out.append("}\n");
    return out;
}

}  // namespace veltra
