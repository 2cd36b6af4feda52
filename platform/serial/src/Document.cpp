#include "Document.h"

#include <iterator>

namespace serial::detail {

namespace {

// In the order of VPtr::Type.
const char* const TypeNames[] = {"int",  "uint", "float", "bool",    "string", "vector2", "rectangle",
                                 "enum", "ref",  "ints",  "strings", "enums",  "refs"};

}  // namespace

const char* typeName(VPtr::Type type) {
    return TypeNames[static_cast<size_t>(type)];
}

bool typeFromName(const kit::String& name, VPtr::Type& type) {
    for (size_t i = 0; i < std::size(TypeNames); ++i) {
        if (name == TypeNames[i]) {
            type = static_cast<VPtr::Type>(i);
            return true;
        }
    }
    return false;
}

}  // namespace serial::detail
