#include "figure_display.h"

#include <QString>
#include <utility>

namespace veltra {
namespace {

// Comfortably above 30 repaints a second, and well below one per line.
constexpr qint64 kFrameMilliseconds = 15;

}  // namespace

void FigureDisplay::Attach(Field field, Setter setter) {
    slots_[static_cast<std::size_t>(field)].setter = std::move(setter);
}

FigureDisplay::FigureDisplay() {
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        slots_[i].value = InitialFigure(static_cast<Field>(i));
    }
}

void FigureDisplay::Publish(std::span<const FigureUpdate> updates) {
    for (const auto& [field, value] : updates) {
        Slot& slot = slots_[static_cast<std::size_t>(field)];
        slot.value = value;
        slot.changed = true;
    }
}

std::string FigureDisplay::Text(Field field) const {
    return slots_[static_cast<std::size_t>(field)].value.Text();
}

void FigureDisplay::Flush() {
    for (Slot& slot : slots_) {
        if (slot.changed && slot.setter) {
            const std::string text = slot.value.Text();
            slot.setter(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        }
        slot.changed = false;
    }
    sinceFlush_.start();
}

bool FigureDisplay::FlushIfDue() {
    if (sinceFlush_.isValid() && sinceFlush_.elapsed() < kFrameMilliseconds) {
        return false;
    }
    Flush();
    return true;
}

}  // namespace veltra
