#pragma once

#include <QElapsedTimer>
#include <array>
#include <functional>
#include <string>

#include "figure_publisher.h"

class QString;

namespace veltra {

// Shows the published figures in the window's fields. A run publishes
// several texts per log line, far faster than a screen can show them, so the
// latest text of each field is kept and handed to its widget at the
// display's pace (and whenever the run asks for it), never per publication.
class FigureDisplay final : public FigurePublisher {
public:
    using Setter = std::function<void(const QString&)>;

    FigureDisplay();

    void Attach(Field field, Setter setter);

    using FigurePublisher::Publish;
    void Publish(std::span<const FigureUpdate> updates) override;

    // The text of the latest figure published to a field, shown or not yet.
    std::string Text(Field field) const;

    // Hands every changed text to its widget.
    void Flush();

    // Flushes when a frame's time has passed since the last flush; says
    // whether it did.
    bool FlushIfDue();

private:
    struct Slot {
        Setter setter;
        FigureValue value;
        bool changed = false;
    };
    std::array<Slot, kDisplayFieldCount> slots_;
    QElapsedTimer sinceFlush_;
};

}  // namespace veltra
