#pragma once

#include <kit/Types.h>

#include <concepts>
#include <functional>

#include "serial/Serializable.h"

namespace serial {

// Creation functions by registered class name; readers create every stored object through it.
class Factory {
public:
    using Creator = std::function<Serializable*()>;

    Factory() = delete;

    // Registers (or replaces) the creation function of a class; an empty name or function is refused.
    static bool registerClass(const kit::String& name, Creator creator);
    template <std::derived_from<Serializable> T>
    static bool add(const kit::String& name) {
        return registerClass(name, [] { return new T(); });
    }

    static bool isRegistered(const kit::String& name);
    // A new object of the class, or null when the name is unknown or its creation function fails.
    static Serializable* create(const kit::String& name);
};

}  // namespace serial
