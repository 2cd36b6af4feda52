#pragma once

#include <kit/Types.h>

#include <memory>

namespace ventrel {

// Reads and writes the engine's small configuration text format: bracketed categories holding
// "key:value" lines. Malformed lines are reported as warnings and skipped; parsing never fails.
class CfgParser {
public:
    static const char charComment;
    static const char arraySeparator;
    static const kit::String dataSeparator;

    class Category {
    public:
        kit::String name;
        kit::String data;
        kit::Map<kit::String, kit::String> values;

        // The value, or "" when the key is absent.
        kit::String get(const kit::String& key) const;
        // The value split at tabs, empty elements dropped.
        kit::Array<kit::String> getArray(const kit::String& key) const;
        // Stores the value; false when the key already holds exactly it.
        bool set(const kit::String& key, const kit::String& value);
        bool set(const kit::String& key, const kit::Array<kit::String>& values);
    };

    class Map {
    public:
        kit::Array<std::unique_ptr<Category>> categories;

        Map() = default;
        Map(const Map&) = delete;
        Map& operator=(const Map&) = delete;

        // Appends an empty category and answers it.
        Category* addCategory(const kit::String& name, const kit::String& data = "");

        // The first category of that name, or null.
        Category* getCategory(const kit::String& name) const;
        kit::String createString() const;
    };

    static std::unique_ptr<Map> parseString(const kit::String& text);
    static std::unique_ptr<Map> parseFile(const kit::String& filename);
    static std::unique_ptr<Map> parseResource(const kit::String& filename);

protected:
    CfgParser() = default;
};

}  // namespace ventrel
