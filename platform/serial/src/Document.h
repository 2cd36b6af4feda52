#pragma once

#include <kit/Types.h>

#include <cstdint>

#include "serial/VPtr.h"

// The stored form of a graph, shared by the binary and the XML form: the writers capture live objects
// into it and the readers decode into it before any object is created, so that a damaged file is
// refused before anything needs undoing.
namespace serial::detail {

struct Value {
    VPtr::Type type = VPtr::Type::Int;
    // Int (two's complement), Uint, Float (its bits), Bool, Object (index + 1, 0 for null).
    uint32_t number = 0;
    // Vector2 (x, y), Rectangle (x, y, w, h).
    float floats[4] = {};
    // String, Enumeration (the value's name).
    kit::String text;
    // IntArray, ObjectArray (as for Object).
    kit::Array<uint32_t> numbers;
    // StringArray, EnumerationArray.
    kit::Array<kit::String> texts;
};

struct Field {
    kit::String name;
    Value value;
};

struct Record {
    kit::String className;
    kit::Array<Field> fields;
};

struct Document {
    uint32_t root = 0;  // index into records
    kit::Array<Record> records;
};

// The name of a value type in the XML form ("int", "enums", "ref" ...), and back.
const char* typeName(VPtr::Type type);
bool typeFromName(const kit::String& name, VPtr::Type& type);

}  // namespace serial::detail
