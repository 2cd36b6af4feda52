#pragma once

#include <gui/ImageBox.h>
#include <host/Color.h>
#include <kit/Types.h>

#include <array>

#include "Viewer/Board.h"

namespace Viewer {

// The planets board: a disc of planet pictures that turns the current player's field to the front.
// The sky changes its colours with every full turn, four planets of sixteen are in view at a time and
// only the fields on the front half of the disc are shown. In the overview the players turn the disc
// by hand.
class BoardPlanets : public Board {
public:
    // One colour for each full turn of the disc within a lap.
    using Quarters = std::array<host::Color, 4>;
    static const Quarters BackgroundColors;
    static const Quarters LightsColors;
    static const Quarters CloudsColors;

    // A quarter image of the disc and the planet picture it shows.
    struct PlanetSlot {
        int quarter = 0;
        int image = 0;
    };

    explicit BoardPlanets(gui::Object* board);

    // Follows, then colours the sky, shows the planets in view and the fields on the front half.
    void update() override;
    // The disc at the current player's angle, or turned by hand in the overview.
    void follow() override;
    // Turns the disc to the current player, faster for short turns.
    void newTurn() override;
    void applyViewMode() override;

    // The colour of the full turn the board angle is in, blending into the next one over its last
    // quarter.
    static host::Color sceneryColor(const Quarters& colors, float boardAngle);
    // The slot i (0 to 3) of the planets in view at the board angle.
    static PlanetSlot planetSlot(float boardAngle, int i);
    // Whether something at that angle on the disc faces the front when the disc is at the board angle.
    static bool isVisibleAt(float angle, float boardAngle);
    // The rotation speed of a camera turn over that many degrees.
    static float turnSpeed(float difference);

protected:
    gui::Object* background = nullptr;
    gui::Object* clouds = nullptr;
    std::array<gui::ImageBox*, 4> planets{};
    kit::Array<gui::Object*> fieldContainers;

private:
    void _build();
    void _buildPlanets();
    void _buildField(int position);
    void _turnByHand();
    void _tintScenery(float boardAngle);
    void _showPlanets(float boardAngle);
    void _showFrontFields(float boardAngle);
};

}  // namespace Viewer
