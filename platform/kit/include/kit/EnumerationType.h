#pragma once

#include "kit/Enumeration.h"
#include "kit/EnumerationValueNotExistsException.h"

namespace kit {

// Typed look-ups for an enumeration. The derived class names its type with
// `static constexpr const char* TypeName` and declares its instances as static constants.
template <class Derived>
class EnumerationType : public Enumeration {
public:
    EnumerationType() : Enumeration(Derived::TypeName) {}
    // The registered value of that name, or a new value one above the largest so far.
    explicit EnumerationType(const String& name) : Enumeration(Derived::TypeName, name) {}
    // Registers a new named value.
    EnumerationType(const String& name, unsigned int value) : Enumeration(Derived::TypeName, name, value) {}

    static Derived fromUint(unsigned int value) {
        Derived result;
        result.assignValue(value);
        return result;
    }
    static Derived fromInt(int value) {
        if (value < 0) {
            throw EnumerationValueNotExistsException(Derived::TypeName, std::to_string(value));
        }
        return fromUint(static_cast<unsigned int>(value));
    }
    static Derived fromName(const String& name) {
        Derived result;
        result.assignName(name);
        return result;
    }
    static bool hasValue(const String& name) { return Enumeration::hasName(Derived::TypeName, name); }
    static bool hasValueFor(unsigned int value) { return Enumeration::hasValue(Derived::TypeName, value); }
    static bool hasValueFor(int value) { return value >= 0 && hasValueFor(static_cast<unsigned int>(value)); }

    static Array<Derived> getValues() {
        Array<Derived> values;
        for (const auto& entry : instancesOf(Derived::TypeName)) {
            values.push_back(fromUint(entry.first));
        }
        return values;
    }

    // The neighbours in ascending value order, wrapping at both ends.
    Derived next() const {
        const auto& instances = instancesOf(Derived::TypeName);
        auto it = instances.upper_bound(getValue());
        return fromUint(it == instances.end() ? instances.begin()->first : it->first);
    }
    Derived previous() const {
        const auto& instances = instancesOf(Derived::TypeName);
        auto it = instances.lower_bound(getValue());
        return fromUint(it == instances.begin() ? instances.rbegin()->first : std::prev(it)->first);
    }
};

}  // namespace kit
