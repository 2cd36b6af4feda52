#pragma once

namespace gui {

// The named events an object raises; callbacks are registered per event (BaseObject::registerEvent).
enum class Event {
    // A press and release on the same enabled, visible object, or triggerEvent from code.
    Click,
    // A progress bar's value was set by dragging or clicking it.
    SetProgressValue,
    // Enter was pressed in an edit box.
    Submit,
    FocusGained,
    FocusLost,
    // An edit box's text changed by typing.
    TextChanged,
    // A toggle button changed its state by a click.
    Toggled,
};

}  // namespace gui
