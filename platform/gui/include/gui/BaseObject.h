#pragma once

#include <memory>

#include "gui/Event.h"
#include "gui/EventCallback.h"
#include "kit/Types.h"

namespace gui {

class Dataset;

// What every GUI object has regardless of its place on screen: a name, the data set it belongs to,
// its own visible and enabled flags and the callbacks of its events.
class BaseObject {
public:
    explicit BaseObject(const kit::String& name);
    virtual ~BaseObject();
    BaseObject(const BaseObject&) = delete;
    BaseObject& operator=(const BaseObject&) = delete;

    const kit::String& getName() const { return name; }
    // Null until the object is attached to a data set's tree.
    Dataset* getDataset() const { return dataset; }

    bool isVisible() const { return visible; }
    virtual void setVisible(bool visible);
    bool isEnabled() const { return enabled; }
    virtual void setEnabled(bool enabled);
    // The flags as the object's parents make them: hidden or disabled with any of them.
    virtual bool isDerivedVisible() const { return visible; }
    virtual bool isDerivedEnabled() const { return enabled; }

    // Takes ownership of the callback; several callbacks per event are called in registration order.
    void registerEvent(Event event, EventCallback* callback);
    void unregisterEvents(Event event);
    bool hasEvent(Event event) const;
    // Raises the event as input would: queued in the data set and delivered by processEvents (at once
    // when the object belongs to no data set).
    void triggerEvent(Event event, unsigned int keyCode = 0);
    // Calls the callbacks now.
    void callEvent(Event event, unsigned int keyCode = 0);

protected:
    // Attaching to a tree; kinds that resolve names through their data set hook in here.
    virtual void _setDataset(Dataset* newDataset) { dataset = newDataset; }

private:
    kit::String name;
    Dataset* dataset = nullptr;
    bool visible = true;
    bool enabled = true;
    kit::Array<std::pair<Event, std::shared_ptr<EventCallback>>> callbacks;
};

}  // namespace gui
