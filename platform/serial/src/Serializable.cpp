#include "serial/Serializable.h"

#include <kit/Log.h>

#include "Graph.h"

namespace serial {

Serializable* Serializable::clone() const {
    detail::Document document;
    kit::String error;
    // Capturing only reads the variables; _serialVars is not const because readers write through it.
    Serializable* copy = nullptr;
    if (detail::capture(const_cast<Serializable*>(this), document, error)) {
        copy = detail::build(document, error);
    }
    if (copy == nullptr) {
        kit::Log::error("serial", "Cloning a " + _serialName() + " failed: " + error);
    }
    return copy;
}

}  // namespace serial
