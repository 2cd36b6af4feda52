#include "gui/BaseObject.h"

#include <algorithm>

#include "gui/Dataset.h"

namespace gui {

BaseObject::BaseObject(const kit::String& name) : name(name) {}

BaseObject::~BaseObject() = default;

void BaseObject::setVisible(bool visible) {
    this->visible = visible;
}

void BaseObject::setEnabled(bool enabled) {
    this->enabled = enabled;
}

void BaseObject::registerEvent(Event event, EventCallback* callback) {
    if (callback != nullptr) {
        callbacks.emplace_back(event, std::shared_ptr<EventCallback>(callback));
    }
}

void BaseObject::unregisterEvents(Event event) {
    std::erase_if(callbacks, [event](const auto& entry) { return entry.first == event; });
}

bool BaseObject::hasEvent(Event event) const {
    return std::any_of(callbacks.begin(), callbacks.end(),
                       [event](const auto& entry) { return entry.first == event; });
}

void BaseObject::triggerEvent(Event event, unsigned int keyCode) {
    if (dataset == nullptr) {
        callEvent(event, keyCode);
        return;
    }
    dataset->_queueEvent(this, event, keyCode);
}

void BaseObject::callEvent(Event event, unsigned int keyCode) {
    // Keep the receivers alive: a callback may unregister callbacks of this object, itself included.
    kit::Array<std::shared_ptr<EventCallback>> receivers;
    for (const auto& entry : callbacks) {
        if (entry.first == event) {
            receivers.push_back(entry.second);
        }
    }
    EventArgs args(event, this, keyCode);
    for (const auto& receiver : receivers) {
        receiver->call(&args);
    }
}

}  // namespace gui
