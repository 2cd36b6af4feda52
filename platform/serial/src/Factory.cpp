#include "serial/Factory.h"

#include <kit/Log.h>

#include <exception>

namespace serial {

namespace {

// Classes register from static initialisers of many libraries: the map must exist before the first.
kit::Map<kit::String, Factory::Creator>& creators() {
    static kit::Map<kit::String, Factory::Creator> all;
    return all;
}

}  // namespace

bool Factory::registerClass(const kit::String& name, Creator creator) {
    if (name.empty() || !creator) {
        return false;
    }
    creators()[name] = std::move(creator);
    return true;
}

bool Factory::isRegistered(const kit::String& name) {
    return creators().count(name) > 0;
}

Serializable* Factory::create(const kit::String& name) {
    auto it = creators().find(name);
    if (it == creators().end()) {
        return nullptr;
    }
    try {
        return it->second();
    } catch (const std::exception& exception) {
        kit::Log::error("serial", "Creating a " + name + " failed: " + exception.what());
        return nullptr;
    }
}

}  // namespace serial
