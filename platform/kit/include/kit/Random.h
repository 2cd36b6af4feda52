#pragma once

#include <stdexcept>

#include "kit/Types.h"

namespace kit {

// A number from min to max - 1; max <= min gives min.
int random(int min, int max);
// A float from min (inclusive) to max (exclusive).
float randomFloat(float min, float max);
// Seeds the one generator all random draws share, so that a run can be repeated.
void seedRandom(unsigned int seed);

template <class T>
const T& randomElement(const Array<T>& items) {
    if (items.empty()) {
        throw std::out_of_range("kit::randomElement of an empty array");
    }
    return items[random(0, static_cast<int>(items.size()))];
}

}  // namespace kit
