#pragma once

#include <array>
#include <span>
#include <string_view>

#include "field_text.h"
#include "figure_field.h"

namespace veltra {

// A display field's new text.
struct FigureText {
    Field field;
    FieldText text;
};

// Receives every new text of a display field, at once and in the order the
// tallies change.
class FigurePublisher {
public:
    virtual ~FigurePublisher() = default;

    // Several texts that change together, taken in order as if each came
    // alone: an item changes up to eighteen, and one call for them all
    // costs less than a call for each.
    virtual void Publish(std::span<const FigureText> texts) = 0;

    void Publish(Field field, const FieldText& text) {
        const FigureText one{field, text};
        Publish(std::span(&one, 1));
    }
};

// Keeps what each display field would show now: its initial text until the
// first publication, then the latest one. For hosts without a window.
class LatestFigures final : public FigurePublisher {
public:
    LatestFigures();

    using FigurePublisher::Publish;
    void Publish(std::span<const FigureText> texts) override;
    std::string_view Text(Field field) const;

private:
    std::array<FieldText, kDisplayFieldCount> texts_;
};

}  // namespace veltra
