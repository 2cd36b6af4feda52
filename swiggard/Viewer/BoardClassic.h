#pragma once

#include <quadrix/Rectangle.h>
#include <quadrix/Vector2.h>

#include <optional>

#include "Viewer/Board.h"

namespace Viewer {

// The classic board: a square of 40 fields with a corner at each turn. In follow mode the camera
// keeps the current player's token low in the middle of the screen with his side of the board at the
// bottom; the overview shows the whole board. The lights take the current player's colour.
class BoardClassic : public Board {
public:
    static constexpr float Size = 3000.0f;

    explicit BoardClassic(gui::Object* board);

    // The lights in the current player's colour; in follow mode the camera on his token.
    void follow() override;
    // Moves the camera to the current player in follow mode.
    void newTurn() override;
    // Zooms out to the overview or back to the current player.
    void applyViewMode() override;

    // The rectangle of the field object of a board position in the board's units.
    static quadrix::Rectangle fieldRect(int position);
    // The turn of a side field, so that its picture faces the outside of its side; 0 for corners.
    static float fieldAngle(int position);
    // The board's scale in the overview.
    static float overviewScale(bool mobile);

private:
    struct Camera {
        quadrix::Vector2 pivot;
        quadrix::Vector2 position;
        float angle = 0.0f;
    };

    void _build();
    void _buildCorner(int position);
    void _buildSide(int position);
    // The camera on the current player's token; none without a current player.
    std::optional<Camera> _getTarget() const;
    void _showOverview();
    void _showCurrentPlayer();
    void _moveLights(float fromY, float toY, float fromAngle, float toAngle);
};

}  // namespace Viewer
