#include "figure_publisher.h"

namespace veltra {

LatestFigures::LatestFigures() {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        texts_[i] = FieldInitialText(static_cast<Field>(i));
    }
}

void LatestFigures::Publish(Field field, std::string_view text) {
    texts_[static_cast<std::size_t>(field)].assign(text);
}

const std::string& LatestFigures::Text(Field field) const {
    return texts_[static_cast<std::size_t>(field)];
}

}  // namespace veltra
