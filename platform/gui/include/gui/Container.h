#pragma once

#include "gui/Object.h"

namespace gui {

// An object that only groups its children (and may paint a background).
class Container : public Object {
public:
    explicit Container(const kit::String& name) : Object(name) {}
    const char* getKindName() const override { return "Container"; }
};

}  // namespace gui
