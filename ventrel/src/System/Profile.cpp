#include "ventrel/system/Profile.h"

#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include "ventrel/Ventrel.h"
#include "ventrel/system/ProfileManager.h"

namespace ventrel::system {

namespace {

const kit::String Separator = "\t";

}  // namespace

kit::String Profile::encode(const kit::Array<kit::String>& values) {
    return kit::join(values, Separator);
}

kit::String Profile::encode(const kit::Map<kit::String, kit::String>& values) {
    kit::Array<kit::String> flat;
    for (const auto& [key, value] : values) {
        flat.push_back(key);
        flat.push_back(value);
    }
    return encode(flat);
}

kit::Array<kit::String> Profile::decodeArray(const kit::String& value) {
    return kit::splitNonEmpty(value, Separator);
}

// A key left without a value (an odd element count) is dropped.
kit::Map<kit::String, kit::String> Profile::decodeMap(const kit::String& value) {
    kit::Array<kit::String> flat = decodeArray(value);
    kit::Map<kit::String, kit::String> result;
    for (size_t i = 0; i + 1 < flat.size(); i += 2) {
        result[flat[i]] = flat[i + 1];
    }
    return result;
}

kit::String Profile::get(const kit::String& key) const {
    if (profileManager && profileManager->isPropertyGlobal(key)) {
        return profileManager->_get(key);
    }
    auto own = properties.find(key);
    if (own != properties.end()) {
        return own->second;
    }
    auto fallback = ProfileManager::defaults.find(key);
    return fallback == ProfileManager::defaults.end() ? "" : fallback->second;
}

kit::Array<kit::String> Profile::getArray(const kit::String& key) const {
    return decodeArray(get(key));
}

kit::Map<kit::String, kit::String> Profile::getMap(const kit::String& key) const {
    return decodeMap(get(key));
}

bool Profile::set(const kit::String& key, const kit::String& value) {
    if (profileManager && profileManager->isPropertyGlobal(key)) {
        return profileManager->_set(key, value);
    }
    auto own = properties.find(key);
    if (own != properties.end() && own->second == value) {
        return false;
    }
    properties[key] = value;
    kit::Log::debug(LogTag, kit::format("Profile '%s': %s=\"%s\"", name.c_str(), key.c_str(), value.c_str()));
    return true;
}

bool Profile::set(const kit::String& key, const kit::Array<kit::String>& values) {
    return set(key, encode(values));
}

bool Profile::set(const kit::String& key, const kit::Map<kit::String, kit::String>& values) {
    return set(key, encode(values));
}

void Profile::save() {
    if (profileManager) {
        profileManager->save();
    }
}

}  // namespace ventrel::system
