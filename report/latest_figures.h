#pragma once

#include <array>
#include <string>

#include "figure_publisher.h"

namespace veltra {

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
