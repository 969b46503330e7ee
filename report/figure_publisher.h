#pragma once

#include <array>
#include <span>
#include <string>

#include "figure_field.h"
#include "figure_value.h"

namespace veltra {

// A display field's new figure.
struct FigureUpdate {
    Field field;
    FigureValue value;
};

// Receives every new figure of a display field, at once and in the order the
// tallies change.
class FigurePublisher {
public:
    virtual ~FigurePublisher() = default;

    // Several figures that change together, taken in order as if each came
    // alone: an item changes up to eighteen, and one call for them all
    // costs less than a call for each.
    virtual void Publish(std::span<const FigureUpdate> updates) = 0;

    void Publish(Field field, FigureValue value) {
        const FigureUpdate one{field, value};
        Publish(std::span(&one, 1));
    }
};

// Keeps what each display field would show now: its initial figure until
// the first publication, then the latest one. For hosts without a window.
class LatestFigures final : public FigurePublisher {
public:
    LatestFigures();

    using FigurePublisher::Publish;
    void Publish(std::span<const FigureUpdate> updates) override;
    std::string Text(Field field) const;

private:
    std::array<FigureValue, kDisplayFieldCount> values_;
};

}  // namespace veltra
