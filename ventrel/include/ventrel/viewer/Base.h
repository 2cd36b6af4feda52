#pragma once

#include <gui/Object.h>
#include <kit/Types.h>

#include "ventrel/viewer/IObservable.h"

namespace ventrel::viewer {

// Binds a game object to the GUI object that shows it and copies the object's display state onto
// it on every update. Neither is owned; objects the viewer built itself are.
class Base {
public:
    Base(IObservable* observed, gui::Object* graphic);
    virtual ~Base();
    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;

    virtual void update();

    bool isActive() const { return active; }
    void setActive(bool value) { active = value; }
    IObservable* getObserved() const { return observed; }
    gui::Object* getGraphic() const { return graphic; }

protected:
    IObservable* observed;
    gui::Object* graphic;
    bool active = true;
    bool syncSizeToModel = true;
    kit::Array<gui::Object*> manualRoots;

    void _setObserved(IObservable* value) { observed = value; }
    void _setGraphic(gui::Object* value) { graphic = value; }
    void _registerManualRoot(gui::Object* object) { manualRoots.push_back(object); }
    static kit::String _generateName();
};

}  // namespace ventrel::viewer
