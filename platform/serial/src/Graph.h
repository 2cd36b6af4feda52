#pragma once

#include "Document.h"
#include "serial/Serializable.h"

namespace serial::detail {

// The stored form of everything reachable from the root; false with a reason when an object's class
// is not registered with the factory (the result could not be read back).
bool capture(Serializable* root, Document& document, kit::String& error);

// The objects of a stored graph, or null with a reason. Either every object is created and linked, or
// none is left behind.
Serializable* build(const Document& document, kit::String& error);

}  // namespace serial::detail
