#pragma once

#include "kit/Types.h"

namespace kit {

// printf-style formatting into a string of any length.
String format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace kit
