#pragma once

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

}  // namespace veltra
