#pragma once

#include <stdexcept>

#include "kit/Types.h"

namespace kit {

// Base of the errors the base library raises for programming errors.
class Exception : public std::runtime_error {
public:
    explicit Exception(const String& message) : std::runtime_error(message) {}
    // The full message, as a crash report shows it.
    String getMessage() const { return what(); }
};

}  // namespace kit
