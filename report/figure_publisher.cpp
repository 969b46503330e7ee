#include "figure_publisher.h"

namespace veltra {

LatestFigures::LatestFigures() {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        texts_[i] = FieldInitialText(static_cast<Field>(i));
    }
}

void LatestFigures::Publish(Field field, std::string_view text) {
    std::string& kept = texts_[static_cast<std::size_t>(field)];
    // Nearly every text is as long as the one before it: written over.
    if (kept.size() == text.size()) {
        text.copy(kept.data(), text.size());
    } else {
        kept.assign(text);
    }
}

const std::string& LatestFigures::Text(Field field) const {
    return texts_[static_cast<std::size_t>(field)];
}

}  // namespace veltra
