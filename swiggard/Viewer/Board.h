#pragma once

#include <gui/ImageBox.h>
#include <gui/Object.h>
#include <kit/Types.h>
#include <quadrix/Rectangle.h>
#include <quadrix/Vector2.h>
#include <ventrel/viewer/Base.h>

namespace Game {
class Player;
}  // namespace Game

namespace Viewer {

// The board of a running game: builds the field objects of its layout under the data set's "board",
// keeps the camera on the current player and tints the lights. The layouts decide how the camera
// follows, starts a turn and switches between overview and follow mode.
class Board : public ventrel::viewer::Base {
public:
    // A side of the board holds ten positions; its first one is a corner.
    static constexpr int FieldsPerSide = 10;

    explicit Board(gui::Object* board);
    ~Board() override = default;

    // Follows the current player unless a camera move is still running.
    void update() override;
    // The camera of every frame.
    virtual void follow() = 0;
    // The camera move when a turn starts.
    virtual void newTurn() = 0;
    // The camera move after the overview button toggled the view mode.
    virtual void applyViewMode() = 0;

    // Whether the board object runs a dynamic animation.
    bool isAnimating() const;
    gui::Object* getBoard() const { return board; }
    gui::Object* getFields() const { return fields; }
    gui::Object* getLights() const { return lights; }

    // The value brought into [0, period), also for negative values.
    static float wrap(float value, float period);
    // The current angle, moved by a whole period when the target lies more than half a period away,
    // so that a rotation from it to the target takes the short way.
    static float closerAngle(float current, float target, float period);
    // Shows the picture in the box; a missing picture is reported and leaves the box as it was.
    static void setImage(gui::ImageBox* box, const kit::String& image);

protected:
    gui::Object* board;
    // The child of the board that holds the field objects.
    gui::Object* fields = nullptr;
    gui::Object* lights = nullptr;

    // An object of the board's data set; null (with a warning) when the data set lacks it.
    gui::Object* _findObject(const kit::String& name) const;
    // A new image box, made a child of the parent, showing the picture when one is named.
    gui::ImageBox* _addImageBox(gui::Object* parent, const kit::String& name, const quadrix::Rectangle& rect,
                                const kit::String& image);
    // The size of the GUI viewport the camera centres in.
    quadrix::Vector2 _getViewportSize() const;
    // Rotates the board the short way round a circle of that period.
    void _rotateTo(float target, float speed, float period);
    // Tells the board scene right away that a camera move runs, so that follow leaves it alone.
    void _publishAnimating() const;

    static Game::Player* _getCurrentPlayer();
    static int _getViewMode();
    // The pictures of a field: the side's blank (or the surprise blank) and the field's icon (or the
    // surprise icon); no icon for a field without one.
    struct FieldLook {
        kit::String background;
        kit::String icon;
    };
    static FieldLook _getFieldLook(int position, const kit::String& blankPrefix,
                                   const kit::String& iconFolder);
    // The name of a per-field object: the prefix and the two-digit position.
    static kit::String _fieldName(const char* prefix, int position);
};

}  // namespace Viewer
