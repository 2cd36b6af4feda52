#include "ventrel/CfgParser.h"

#include <kit/File.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>

#include "ventrel/Ventrel.h"

namespace ventrel {

const char CfgParser::charComment = '#';
const char CfgParser::arraySeparator = '\t';
const kit::String CfgParser::dataSeparator = ":";

kit::String CfgParser::Category::get(const kit::String& key) const {
    auto it = values.find(key);
    return it == values.end() ? "" : it->second;
}

kit::Array<kit::String> CfgParser::Category::getArray(const kit::String& key) const {
    return kit::splitNonEmpty(get(key), kit::String(1, arraySeparator));
}

bool CfgParser::Category::set(const kit::String& key, const kit::String& value) {
    auto it = values.find(key);
    if (it != values.end() && it->second == value) {
        return false;
    }
    values[key] = value;
    kit::Log::debug(LogTag, kit::format("CFG: %s=\"%s\"", key.c_str(), value.c_str()));
    return true;
}

bool CfgParser::Category::set(const kit::String& key, const kit::Array<kit::String>& values) {
    return set(key, kit::join(values, kit::String(1, arraySeparator)));
}

CfgParser::Category* CfgParser::Map::addCategory(const kit::String& name, const kit::String& data) {
    categories.push_back(std::make_unique<Category>());
    categories.back()->name = name;
    categories.back()->data = data;
    return categories.back().get();
}

CfgParser::Category* CfgParser::Map::getCategory(const kit::String& name) const {
    for (const auto& category : categories) {
        if (category->name == name) {
            return category.get();
        }
    }
    return nullptr;
}

kit::String CfgParser::Map::createString() const {
    kit::Array<kit::String> lines;
    for (const auto& category : categories) {
        lines.push_back(category->data.empty() ? "[" + category->name + "]"
                                               : "[" + category->name + "]" + dataSeparator + category->data);
        for (const auto& [key, value] : category->values) {
            lines.push_back(key + dataSeparator + value);
        }
        lines.push_back("");
    }
    // Each category ends with an empty line, so the joined text ends with exactly one line feed.
    return kit::join(lines, "\n");
}

namespace {

// A category line: appends the category, or reports the line and leaves the current one current.
CfgParser::Category* parseCategory(CfgParser::Map* map, const kit::String& line) {
    size_t close = line.find(']');
    if (close == kit::String::npos) {
        kit::Log::warn(LogTag, "Malformed CFG Category in line: " + line);
        return nullptr;
    }
    if (close < 2) {
        kit::Log::warn(LogTag, "Empty CFG Category not allowed in line: " + line);
        return nullptr;
    }
    kit::Array<kit::String> rest = kit::split(line.substr(close), CfgParser::dataSeparator, 2);
    return map->addCategory(line.substr(1, close - 1), rest.size() > 1 ? rest[1] : "");
}

void parseValue(CfgParser::Category* category, const kit::String& line) {
    if (!category) {
        kit::Log::warn(LogTag, "No CFG Category defined before line: " + line);
        return;
    }
    kit::Array<kit::String> parts = kit::split(line, CfgParser::dataSeparator, 2);
    kit::String key = parts.size() > 1 ? parts[0] : "";
    kit::String value = parts.size() > 1 ? parts[1] : "";
    if (category->values.count(key)) {
        kit::Log::warn(LogTag, kit::format("Key '%s' in CFG Category '[%s]%s%s' defined more than once!",
                                           key.c_str(), category->name.c_str(),
                                           CfgParser::dataSeparator.c_str(), category->data.c_str()));
        return;
    }
    category->values[key] = value;
}

}  // namespace

std::unique_ptr<CfgParser::Map> CfgParser::parseString(const kit::String& text) {
    auto map = std::make_unique<Map>();
    Category* current = nullptr;
    for (kit::String line : kit::splitNonEmpty(text, "\n")) {
        // Files edited on Windows end their lines with CR LF; the CR is no part of any value.
        line = kit::trim(line.substr(0, line.find_last_not_of("\r ") + 1));
        if (line.empty() || line[0] == charComment) {
            continue;
        }
        if (line[0] != '[') {
            parseValue(current, line);
            continue;
        }
        if (Category* category = parseCategory(map.get(), line)) {
            current = category;
        }
    }
    return map;
}

std::unique_ptr<CfgParser::Map> CfgParser::parseFile(const kit::String& filename) {
    kit::Log::debug(LogTag, "Parsing CFG file: " + filename);
    return parseString(kit::File::readText(filename));
}

std::unique_ptr<CfgParser::Map> CfgParser::parseResource(const kit::String& filename) {
    kit::Log::debug(LogTag, "Parsing CFG resource: " + filename);
    return parseString(kit::ResourceDir::readText(filename));
}

}  // namespace ventrel
