#pragma once

#include <kit/Types.h>

namespace ventrel::system {

// A named set of string properties belonging to one player. Look-ups go through the profile
// manager's global properties and defaults.
class Profile {
public:
    explicit Profile(const kit::String& name) : name(name) {}

    const kit::String& getName() const { return name; }
    const kit::Map<kit::String, kit::String>& getProperties() const { return properties; }
    void setProperties(const kit::Map<kit::String, kit::String>& values) { properties = values; }

    // The global value, else this profile's own, else the default, else "".
    kit::String get(const kit::String& key) const;
    kit::Array<kit::String> getArray(const kit::String& key) const;
    kit::Map<kit::String, kit::String> getMap(const kit::String& key) const;

    // Stores the value (a global key changes for every profile); false when nothing changed.
    bool set(const kit::String& key, const kit::String& value);
    bool set(const kit::String& key, const kit::Array<kit::String>& values);
    bool set(const kit::String& key, const kit::Map<kit::String, kit::String>& values);

    // Saves the whole profile manager.
    void save();

    // Property values hold arrays and maps as their elements joined with tabs.
    static kit::String encode(const kit::Array<kit::String>& values);
    static kit::String encode(const kit::Map<kit::String, kit::String>& values);
    static kit::Array<kit::String> decodeArray(const kit::String& value);
    static kit::Map<kit::String, kit::String> decodeMap(const kit::String& value);

private:
    kit::String name;
    kit::Map<kit::String, kit::String> properties;
};

}  // namespace ventrel::system
