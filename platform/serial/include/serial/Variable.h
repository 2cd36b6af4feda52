#pragma once

#include <kit/Types.h>

#include <utility>

#include "serial/VPtr.h"

namespace serial {

// One named field of a saved object. Readers match variables by name, so renaming one loses its
// stored value while adding or removing one keeps old files readable.
class Variable {
public:
    Variable(kit::String name, VPtr pointer) : name(std::move(name)), pointer(std::move(pointer)) {}

    const kit::String& getName() const { return name; }
    const VPtr& getPointer() const { return pointer; }

private:
    kit::String name;
    VPtr pointer;
};

}  // namespace serial
