#pragma once

#include "gui/Event.h"

namespace gui {

class BaseObject;

// What a callback learns about an event: which object raised it and, for clicks, the key (1 is the
// left mouse button or a confirm key or button, as the caller of triggerEvent says).
class EventArgs {
public:
    EventArgs(Event event, BaseObject* object, unsigned int keyCode = 0)
        : event(event), object(object), keyCode(keyCode) {}

    Event getEvent() const { return event; }
    BaseObject* getBaseObject() const { return object; }
    unsigned int getKeyCode() const { return keyCode; }

private:
    Event event;
    BaseObject* object;
    unsigned int keyCode;
};

}  // namespace gui
