#pragma once

#include "kit/Exception.h"

namespace gui {

// An object was asked for as a kind it is not: "Object 'label_x' in 'menu/title' is not a Label!".
class InvalidObjectTypeException : public kit::Exception {
public:
    InvalidObjectTypeException(const kit::String& name, const kit::String& kind, const kit::String& dataset)
        : kit::Exception("Object '" + name + "' in '" + dataset + "' is not a " + kind + "!") {}
};

}  // namespace gui
