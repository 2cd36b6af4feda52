#pragma once

#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace host {

// Receives multi-touch gestures (Window::setTouchDelegate). A single finger acts as the mouse's left
// button (onMouseDown, onMouseMove, onMouseUp on the mouse delegate). When a second finger touches,
// the mouse press is cancelled (onMouseCancel) and from then on, until every finger is lifted, each
// change reports all touching fingers here, in window pixels, in the order they touched; lifting
// the last finger reports an empty array.
class TouchDelegate {
public:
    virtual ~TouchDelegate() = default;

    virtual void onTouch(const kit::Array<quadrix::Vector2>& touches);
};

}  // namespace host
