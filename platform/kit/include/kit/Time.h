#pragma once

#include <cstdint>

namespace kit {

// Seconds since the Unix epoch.
int64_t time();
// Seconds since an arbitrary fixed point, for measuring durations.
double monotonicSeconds();

}  // namespace kit
