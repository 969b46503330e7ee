#include "figure_publisher.h"

namespace veltra {

LatestFigures::LatestFigures() {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        texts_[i] = FieldText(FieldInitialText(static_cast<Field>(i)));
    }
}

void LatestFigures::Publish(std::span<const FigureText> texts) {
    for (const auto& [field, text] : texts) {
        texts_[static_cast<std::size_t>(field)] = text;
    }
}

std::string_view LatestFigures::Text(Field field) const {
    return texts_[static_cast<std::size_t>(field)].view();
}

}  // namespace veltra
