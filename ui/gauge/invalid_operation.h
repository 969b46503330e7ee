#pragma once

#include <stdexcept>

namespace veltra {

// A request the control refuses because it would leave it inconsistent, such
// as a lower bound above the upper bound. what() is the text the user sees.
class EInvalidOperation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

}  // namespace veltra
