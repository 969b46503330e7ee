#pragma once

#include <array>
#include <string>
#include <string_view>

#include "figure_field.h"

namespace veltra {

// Receives every new text of a display field, at once and in the order the
// tallies change. The text is only valid during the call.
class FigurePublisher {
public:
    virtual ~FigurePublisher() = default;
    virtual void Publish(Field field, std::string_view text) = 0;
};

// Keeps what each display field would show now: its initial text until the
// first publication, then the latest one. For hosts without a window.
class LatestFigures final : public FigurePublisher {
public:
    LatestFigures();

    void Publish(Field field, std::string_view text) override;
    const std::string& Text(Field field) const;

private:
    std::array<std::string, kDisplayFieldCount> texts_;
};

}  // namespace veltra
