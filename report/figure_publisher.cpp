#include "figure_publisher.h"

namespace veltra {

LatestFigures::LatestFigures() {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        values_[i] = InitialFigure(static_cast<Field>(i));
    }
}

void LatestFigures::Publish(std::span<const FigureUpdate> updates) {
    for (const auto& [field, value] : updates) {
        values_[static_cast<std::size_t>(field)] = value;
    }
}

std::string LatestFigures::Text(Field field) const {
    return values_[static_cast<std::size_t>(field)].Text();
}

}  // namespace veltra
