#pragma once

#include <kit/Types.h>
#include <quadrix/Vector2.h>

#include <optional>

namespace ventrel::system {

// Where the arrow keys and the pad move the focus: numbered slots laid out row by row, and the
// geometry that passes the focus on to the nearest button of another screen. It knows no objects or
// screens; the candidates are the slots that can take the focus at the moment.
class FocusGrid {
public:
    enum class Way { Left, Right, Up, Down };

    FocusGrid() = default;
    // `count` slots in `columns`; `wrap` cycles through the edges instead of stopping at them.
    FocusGrid(int count, int columns, bool wrap);

    bool isActive() const { return count > 0 && columns > 0; }
    int getCount() const { return count; }
    int getColumns() const { return columns; }

    // The slot one step from `focus` that way among the candidates; -1 when the grid ends there. Up
    // from a row with nothing above takes the largest candidate, down from one with nothing below too.
    int step(int focus, Way way, kit::Array<int> candidates) const;

    // The unit vector of the way, y growing downwards as on screen.
    static quadrix::Vector2 vectorOf(Way way);
    // Whether `to` lies that way seen from `from`, within about 60 degrees.
    static bool liesAhead(const quadrix::Vector2& from, const quadrix::Vector2& to, Way way);
    // How far `to` is for a hand-off that way, a step to the side counting twice a step ahead; none
    // when it does not lie ahead at all.
    static std::optional<float> handOffDistance(const quadrix::Vector2& from, const quadrix::Vector2& to,
                                                Way way);

private:
    int count = 0;
    int columns = 0;
    bool wrap = false;

    int _stepHorizontal(int focus, int direction, const kit::Array<int>& candidates) const;
    int _stepUp(int focus, const kit::Array<int>& candidates) const;
    int _stepDown(int focus, const kit::Array<int>& candidates) const;
};

}  // namespace ventrel::system
