#pragma once

#include <gui/Object.h>
#include <kit/Types.h>

#include <memory>

#include "ventrel/viewer/Base.h"
#include "ventrel/viewer/IObservable.h"

namespace ventrel::system {

// A named collection of viewers, owned by the set, updated together; every set is registered under
// its name so that screens can find each other's viewers.
class Viewerset {
public:
    // Throws kit::Exception when another set already has the name.
    Viewerset(const kit::String& name, gui::Object* root);
    virtual ~Viewerset();
    Viewerset(const Viewerset&) = delete;
    Viewerset& operator=(const Viewerset&) = delete;

    static Viewerset* getByName(const kit::String& name);

    const kit::String& getName() const { return name; }
    gui::Object* getRoot() const { return root; }
    void setRoot(gui::Object* object) { root = object; }
    kit::Array<viewer::Base*> getViewers() const;

    // Takes ownership and shows the observable's current state at once; answers the viewer.
    template <class V>
    V* registerViewer(std::unique_ptr<V> viewer) {
        V* registered = viewer.get();
        _add(std::move(viewer));
        return registered;
    }
    // Gives the viewer back to the caller, who then owns it.
    std::unique_ptr<viewer::Base> unregisterViewer(viewer::Base* viewer);
    // Updates every viewer, then deletes the ones that became inactive.
    void update();

    viewer::Base* findViewer(const kit::String& graphicName) const;
    viewer::Base* findViewer(const gui::Object* graphic) const;
    viewer::Base* findViewer(const viewer::IObservable* observed) const;
    kit::Array<viewer::Base*> findViewers(const viewer::IObservable* observed) const;
    viewer::Base* findViewerById(const kit::String& id) const;
    kit::Array<viewer::Base*> findViewersById(const kit::String& id) const;
    void destroyViewers(const viewer::IObservable* observed);

protected:
    kit::String name;
    gui::Object* root;
    kit::Array<std::unique_ptr<viewer::Base>> viewers;

    static kit::String _generateName();

private:
    void _add(std::unique_ptr<viewer::Base> viewer);
};

}  // namespace ventrel::system
