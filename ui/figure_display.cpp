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

void FigureDisplay::Publish(std::span<const FigureText> texts) {
    for (const auto& [field, text] : texts) {
        Slot& slot = slots_[static_cast<std::size_t>(field)];
        slot.text.assign(text.view());
        slot.changed = true;
    }
}

void FigureDisplay::Flush() {
    for (Slot& slot : slots_) {
        if (slot.changed && slot.setter) {
            slot.setter(
                QString::fromLatin1(slot.text.data(), static_cast<qsizetype>(slot.text.size())));
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
