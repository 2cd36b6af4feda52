#include "ventrel/system/FocusGrid.h"

#include <algorithm>
#include <cmath>

namespace ventrel::system {

namespace {

bool containsIndex(const kit::Array<int>& indices, int index) {
    return std::find(indices.begin(), indices.end(), index) != indices.end();
}

kit::Array<int> without(kit::Array<int> indices, int index) {
    indices.erase(std::remove(indices.begin(), indices.end(), index), indices.end());
    return indices;
}

// The distance along the way and the distance across it.
std::pair<float, float> aheadAndAside(const quadrix::Vector2& from, const quadrix::Vector2& to,
                                      FocusGrid::Way way) {
    quadrix::Vector2 vector = FocusGrid::vectorOf(way);
    quadrix::Vector2 delta = to - from;
    return {delta.x * vector.x + delta.y * vector.y, std::abs(delta.x * vector.y - delta.y * vector.x)};
}

}  // namespace

FocusGrid::FocusGrid(int count, int columns, bool wrap) : count(count), columns(columns), wrap(wrap) {}

int FocusGrid::step(int focus, Way way, kit::Array<int> candidates) const {
    if (!isActive()) {
        return -1;
    }
    std::sort(candidates.begin(), candidates.end());
    switch (way) {
        case Way::Left:
            return _stepHorizontal(focus, -1, candidates);
        case Way::Right:
            return _stepHorizontal(focus, 1, candidates);
        case Way::Up:
            return _stepUp(focus, candidates);
        case Way::Down:
            return _stepDown(focus, candidates);
    }
    return -1;
}

quadrix::Vector2 FocusGrid::vectorOf(Way way) {
    switch (way) {
        case Way::Left:
            return {-1.0f, 0.0f};
        case Way::Right:
            return {1.0f, 0.0f};
        case Way::Up:
            return {0.0f, -1.0f};
        case Way::Down:
            return {0.0f, 1.0f};
    }
    return {};
}

bool FocusGrid::liesAhead(const quadrix::Vector2& from, const quadrix::Vector2& to, Way way) {
    auto [ahead, aside] = aheadAndAside(from, to, way);
    return ahead > 1.0f && aside <= 2.0f * ahead;
}

std::optional<float> FocusGrid::handOffDistance(const quadrix::Vector2& from, const quadrix::Vector2& to,
                                                Way way) {
    auto [ahead, aside] = aheadAndAside(from, to, way);
    if (ahead <= 1.0f) {
        return std::nullopt;
    }
    return ahead + 2.0f * aside;
}

int FocusGrid::_stepHorizontal(int focus, int direction, const kit::Array<int>& candidates) const {
    if (wrap) {
        if (candidates.size() < 2) {
            return -1;
        }
        if (direction < 0) {
            auto before =
                std::find_if(candidates.rbegin(), candidates.rend(), [&](int i) { return i < focus; });
            return before == candidates.rend() ? candidates.back() : *before;
        }
        auto after = std::find_if(candidates.begin(), candidates.end(), [&](int i) { return i > focus; });
        return after == candidates.end() ? candidates.front() : *after;
    }
    kit::Array<int> others = without(candidates, focus);
    int rowStart = focus - focus % columns;
    for (int i = focus + direction; i >= rowStart && i < rowStart + columns; i += direction) {
        if (containsIndex(others, i)) {
            return i;
        }
    }
    return -1;
}

int FocusGrid::_stepUp(int focus, const kit::Array<int>& candidates) const {
    int k = columns;
    kit::Array<int> others = without(candidates, focus);
    if (others.empty()) {
        return -1;
    }
    if (wrap) {
        int total = (count + k - 1) / k * k;
        for (int i = (total - k + focus) % total; i != focus; i = (total - k + i) % total) {
            if (containsIndex(others, i)) {
                return i;
            }
        }
        return -1;
    }
    if (focus <= k - 1) {
        return -1;
    }
    for (int i = focus - k; i >= 0; i -= k) {
        if (containsIndex(others, i)) {
            return i;
        }
    }
    return others.back();
}

int FocusGrid::_stepDown(int focus, const kit::Array<int>& candidates) const {
    int k = columns;
    if (wrap) {
        if (candidates.empty()) {
            return -1;
        }
        int largest = candidates.back();
        int total = (count + k - 1) / k * k;
        int i = focus / k == largest / k ? (k + focus) % total : focus + k;
        for (; !containsIndex(candidates, i); i += k) {
            if (i >= count - k) {
                return largest;
            }
        }
        return i;
    }
    kit::Array<int> others = without(candidates, focus);
    if (focus >= count - k || others.empty()) {
        return -1;
    }
    for (int i = focus + k; i < count; i += k) {
        if (containsIndex(others, i)) {
            return i;
        }
    }
    return others.back();
}

}  // namespace ventrel::system
