#pragma once

#include "gui/EventCallback.h"

namespace gui {

// Calls a member function of an instance; the instance must outlive the object it is registered with
// (or unregister first).
template <class T>
class MemberCallbackEvent : public EventCallback {
public:
    using Method = void (T::*)(EventArgs*);

    MemberCallbackEvent(T* instance, Method method) : instance(instance), method(method) {}

    void call(EventArgs* args) override { (instance->*method)(args); }

private:
    T* instance;
    Method method;
};

}  // namespace gui
