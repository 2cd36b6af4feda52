#pragma once

#include "gui/EventArgs.h"

namespace gui {

// A receiver of an object's event; the object owns the callbacks registered with it.
class EventCallback {
public:
    virtual ~EventCallback() = default;
    virtual void call(EventArgs* args) = 0;
};

}  // namespace gui
