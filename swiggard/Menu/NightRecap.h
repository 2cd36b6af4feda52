#pragma once

#include <kit/Types.h>
#include <quadrix/Vector2.h>
#include <ventrel/system/Context.h>

#include "Game/GameLog.h"

namespace Menu {

// The recap pages of the end of the night, drawn with the game's own shapes into the objects of
// menu/end_of_night: the sips over the turns as one line a player, the laps and challenges as bars
// and the awards. Every figure comes from the game's log.
class NightRecap {
public:
    static constexpr int PlayerSlots = 14;
    static constexpr int LineSegments = 40;
    static constexpr float LineWidth = 6.0f;

    // The points of every seat's line in a chart of that size (y down, 0 sips at the bottom): the
    // samples of the log and the night so far, thinned to at most LineSegments + 1 evenly chosen
    // ones, the first and the last kept. The top of the chart stands for `top` sips.
    struct Chart {
        kit::Array<kit::Array<quadrix::Vector2>> lines;
        int top = 1;
        int turns = 0;
    };
    static Chart chartOf(const Game::GameLog& log, int seats, int turnNow, float width, float height);

    static void drawSips(const ventrel::system::Context* screen);
    static void drawLaps(const ventrel::system::Context* screen);
    static void drawAwards(const ventrel::system::Context* screen);

private:
    static void _drawLine(const ventrel::system::Context* screen, int seat,
                          const kit::Array<quadrix::Vector2>& points, const kit::String& color);
    struct Bar {
        int value = 0;
        int most = 0;
        float baseline = 0.0f;
        float full = 0.0f;
    };
    static void _placeMarks(const ventrel::system::Context* screen, const Chart& chart, float height);
    static void _setBar(const ventrel::system::Context* screen, int row, const char* what, const Bar& bar);
};

}  // namespace Menu
