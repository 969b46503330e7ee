#pragma once

#include <cstdint>
#include <string>

#include "figure_field.h"

namespace veltra {

// What a display field shows, kept as its number: a run changes its figures
// a dozen times per music item, far more often than anyone reads them, so
// the text is made only when it is shown.
class FigureValue {
public:
    // Nothing: an edit field before its first figure.
    FigureValue() = default;

    static FigureValue Count(std::int64_t count) { return {Kind::Count, count}; }
    // Shown as a duration text: 00:03:25, 123:44:05.
    static FigureValue Duration(std::int64_t seconds) { return {Kind::Duration, seconds}; }
    // Shown with "%": 33%.
    static FigureValue Percent(std::int64_t percent) { return {Kind::Percent, percent}; }

    std::string Text() const;

private:
    enum class Kind : unsigned char { Nothing, Count, Duration, Percent };

    FigureValue(Kind kind, std::int64_t number) : kind_(kind), number_(number) {}

    Kind kind_ = Kind::Nothing;
    std::int64_t number_ = 0;
};

// What a field shows before anything is published to it: 0 for the two
// count labels, nothing for the edit fields.
FigureValue InitialFigure(Field field);

}  // namespace veltra
