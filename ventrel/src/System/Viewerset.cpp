#include "ventrel/system/Viewerset.h"

#include <host/Host.h>
#include <kit/Exception.h>
#include <kit/Log.h>

#include <algorithm>

#include "ventrel/Ventrel.h"

namespace ventrel::system {

namespace {

kit::Map<kit::String, Viewerset*>& registry() {
    static kit::Map<kit::String, Viewerset*> sets;
    return sets;
}

template <class Match>
kit::Array<viewer::Base*> select(const kit::Array<viewer::Base*>& viewers, Match match) {
    kit::Array<viewer::Base*> found;
    std::copy_if(viewers.begin(), viewers.end(), std::back_inserter(found), match);
    return found;
}

template <class Match>
viewer::Base* first(const kit::Array<viewer::Base*>& viewers, Match match) {
    auto found = std::find_if(viewers.begin(), viewers.end(), match);
    return found == viewers.end() ? nullptr : *found;
}

auto holding(const viewer::Base* viewer) {
    return [viewer](const std::unique_ptr<viewer::Base>& held) { return held.get() == viewer; };
}

}  // namespace

Viewerset::Viewerset(const kit::String& name, gui::Object* root) : name(name), root(root) {
    if (!registry().emplace(name, this).second) {
        throw kit::Exception("Unable to register viewerset '" + name +
                             "', another viewerset with the same name exists!");
    }
}

// A destructor must not throw: a set that is not registered any more is only reported.
Viewerset::~Viewerset() {
    auto entry = registry().find(name);
    if (entry != registry().end() && entry->second == this) {
        registry().erase(entry);
    } else {
        kit::Log::error(LogTag, "Unable to unregister viewerset '" + name + "', viewerset does not exist!");
    }
}

Viewerset* Viewerset::getByName(const kit::String& name) {
    auto entry = registry().find(name);
    if (entry == registry().end()) {
        throw kit::Exception("Viewerset '" + name + "' doesn't exist!");
    }
    return entry->second;
}

kit::String Viewerset::_generateName() {
    return host::generateName("ventrel::Viewerset");
}

kit::Array<viewer::Base*> Viewerset::getViewers() const {
    kit::Array<viewer::Base*> shown;
    for (const auto& viewer : viewers) {
        shown.push_back(viewer.get());
    }
    return shown;
}

void Viewerset::_add(std::unique_ptr<viewer::Base> viewer) {
    viewers.push_back(std::move(viewer));
    viewers.back()->update();
}

std::unique_ptr<viewer::Base> Viewerset::unregisterViewer(viewer::Base* viewer) {
    auto found = std::find_if(viewers.begin(), viewers.end(), holding(viewer));
    if (found == viewers.end()) {
        throw kit::Exception("Viewer not found in viewerset '" + name + "'!");
    }
    std::unique_ptr<viewer::Base> released = std::move(*found);
    viewers.erase(found);
    return released;
}

void Viewerset::update() {
    for (size_t i = 0; i < viewers.size(); ++i) {
        viewers[i]->update();
    }
    auto inactive = std::stable_partition(
        viewers.begin(), viewers.end(), [](const std::unique_ptr<viewer::Base>& v) { return v->isActive(); });
    viewers.erase(inactive, viewers.end());
}

viewer::Base* Viewerset::findViewer(const kit::String& graphicName) const {
    return first(getViewers(), [&](viewer::Base* v) {
        return v->getGraphic() && v->getGraphic()->getName() == graphicName;
    });
}

viewer::Base* Viewerset::findViewer(const gui::Object* graphic) const {
    return first(getViewers(), [&](viewer::Base* v) { return v->getGraphic() == graphic; });
}

viewer::Base* Viewerset::findViewer(const viewer::IObservable* observed) const {
    return first(getViewers(), [&](viewer::Base* v) { return v->getObserved() == observed; });
}

kit::Array<viewer::Base*> Viewerset::findViewers(const viewer::IObservable* observed) const {
    return select(getViewers(), [&](viewer::Base* v) { return v->getObserved() == observed; });
}

viewer::Base* Viewerset::findViewerById(const kit::String& id) const {
    return first(getViewers(),
                 [&](viewer::Base* v) { return v->getObserved() && v->getObserved()->getId() == id; });
}

kit::Array<viewer::Base*> Viewerset::findViewersById(const kit::String& id) const {
    return select(getViewers(),
                  [&](viewer::Base* v) { return v->getObserved() && v->getObserved()->getId() == id; });
}

void Viewerset::destroyViewers(const viewer::IObservable* observed) {
    kit::Array<viewer::Base*> doomed = findViewers(observed);
    for (viewer::Base* viewer : doomed) {
        viewers.erase(std::find_if(viewers.begin(), viewers.end(), holding(viewer)));
    }
}

}  // namespace ventrel::system
