#pragma once

#include <algorithm>
#include <vector>

namespace bench {

// The value below which the given share of the values lie (0.5: the median, 1.0: the largest).
inline double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1,
                           static_cast<size_t>(share * static_cast<double>(values.size())))];
}

}  // namespace bench
