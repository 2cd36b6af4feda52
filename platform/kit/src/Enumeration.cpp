#include "kit/Enumeration.h"

#include "kit/EnumerationValueNotExistsException.h"

namespace kit {

namespace {

struct Registry {
    Map<unsigned int, String> names;
    Map<String, unsigned int> values;
};

// Instances are static constants of many libraries: the registry must exist before the first of them.
Map<String, Registry>& registries() {
    static Map<String, Registry> all;
    return all;
}

const Registry& registryOf(const String& typeName) {
    static const Registry empty;
    auto it = registries().find(typeName);
    return it == registries().end() ? empty : it->second;
}

}  // namespace

Enumeration::Enumeration(const String& typeName) : typeName(typeName) {}

Enumeration::Enumeration(const String& typeName, const String& name) : typeName(typeName), name(name) {
    const Registry& registry = registryOf(typeName);
    auto known = registry.values.find(name);
    if (known != registry.values.end()) {
        value = known->second;
        return;
    }
    value = registry.names.empty() ? 0 : registry.names.rbegin()->first + 1;
    _register(typeName, name, value);
}

Enumeration::Enumeration(const String& typeName, const String& name, unsigned int value)
    : typeName(typeName), name(name), value(value) {
    _register(typeName, name, value);
}

void Enumeration::_register(const String& typeName, const String& name, unsigned int value) {
    Registry& registry = registries()[typeName];
    registry.names[value] = name;
    registry.values[name] = value;
}

void Enumeration::assignValue(unsigned int newValue) {
    name = nameOf(typeName, newValue);
    value = newValue;
}

void Enumeration::assignName(const String& newName) {
    value = valueOf(typeName, newName);
    name = newName;
}

const Map<unsigned int, String>& Enumeration::instancesOf(const String& typeName) {
    return registryOf(typeName).names;
}

bool Enumeration::hasName(const String& typeName, const String& name) {
    return registryOf(typeName).values.count(name) > 0;
}

bool Enumeration::hasValue(const String& typeName, unsigned int value) {
    return registryOf(typeName).names.count(value) > 0;
}

unsigned int Enumeration::valueOf(const String& typeName, const String& name) {
    const Registry& registry = registryOf(typeName);
    auto it = registry.values.find(name);
    if (it == registry.values.end()) {
        throw EnumerationValueNotExistsException(typeName, name);
    }
    return it->second;
}

const String& Enumeration::nameOf(const String& typeName, unsigned int value) {
    const Registry& registry = registryOf(typeName);
    auto it = registry.names.find(value);
    if (it == registry.names.end()) {
        throw EnumerationValueNotExistsException(typeName, std::to_string(value));
    }
    return it->second;
}

}  // namespace kit
