#pragma once

#include <climits>

#include "kit/Types.h"

namespace kit {

// A named value of an enumeration type. Every type keeps its own registry (value -> name), filled by
// constructing named instances; instances compare by value. Subclasses usually derive through
// EnumerationType, which adds the typed look-ups.
class Enumeration {
public:
    static constexpr unsigned int NoValue = UINT_MAX;

    virtual ~Enumeration() = default;

    unsigned int getValue() const { return value; }
    const String& getName() const { return name; }
    const String& getTypeName() const { return typeName; }
    bool isValid() const { return value != NoValue; }
    String toString() const { return name; }

    // Sets this instance to the registered value of its type; raises EnumerationValueNotExistsException.
    void assignValue(unsigned int newValue);
    void assignName(const String& newName);

    bool operator==(const Enumeration& other) const { return value == other.value; }
    bool operator!=(const Enumeration& other) const { return value != other.value; }
    bool operator<(const Enumeration& other) const { return value < other.value; }
    bool operator>(const Enumeration& other) const { return value > other.value; }
    bool operator<=(const Enumeration& other) const { return value <= other.value; }
    bool operator>=(const Enumeration& other) const { return value >= other.value; }

    // The registry of a type: value -> name, in ascending value order.
    static const Map<unsigned int, String>& instancesOf(const String& typeName);
    static bool hasName(const String& typeName, const String& name);
    static bool hasValue(const String& typeName, unsigned int value);
    static unsigned int valueOf(const String& typeName, const String& name);
    static const String& nameOf(const String& typeName, unsigned int value);

protected:
    // An instance without a value.
    explicit Enumeration(const String& typeName);
    // The registered value of the name; an unknown name is registered one above the largest value so far.
    Enumeration(const String& typeName, const String& name);
    // Registers the name with the given value.
    Enumeration(const String& typeName, const String& name, unsigned int value);

    static void _register(const String& typeName, const String& name, unsigned int value);

private:
    String typeName;
    String name;
    unsigned int value = NoValue;
};

}  // namespace kit
