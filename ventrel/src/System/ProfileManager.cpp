#include "ventrel/system/ProfileManager.h"

#include <kit/Format.h>
#include <kit/Log.h>

#include <algorithm>
#include <memory>

#include "ventrel/CfgParser.h"
#include "ventrel/Ventrel.h"
#include "ventrel/system/Core.h"

namespace ventrel::system {

kit::Map<kit::String, kit::String> ProfileManager::defaults;

ProfileManager::ProfileManager() : filename(path + "profile.cfg") {
    fileExtension = "cfg";
}

ProfileManager::~ProfileManager() {
    if (std::any_of(profiles.begin(), profiles.end(), [](const auto& p) { return p.get() == profile; })) {
        profile = nullptr;
    }
}

kit::Array<kit::String> ProfileManager::getProfileNames() const {
    kit::Array<kit::String> names;
    for (const auto& p : profiles) {
        names.push_back(p->getName());
    }
    return names;
}

void ProfileManager::addDefault(const kit::String& key, const kit::String& value) {
    defaults[key] = value;
}

void ProfileManager::addDefault(const kit::String& key, const kit::Array<kit::String>& values) {
    addDefault(key, Profile::encode(values));
}

void ProfileManager::addDefault(const kit::String& key, const kit::Map<kit::String, kit::String>& values) {
    addDefault(key, Profile::encode(values));
}

void ProfileManager::addGlobal(const kit::String& key, const kit::String& value) {
    addDefault(key, value);
    _set(key, value);
}

void ProfileManager::addGlobal(const kit::String& key, const kit::Array<kit::String>& values) {
    addGlobal(key, Profile::encode(values));
}

void ProfileManager::addGlobal(const kit::String& key, const kit::Map<kit::String, kit::String>& values) {
    addGlobal(key, Profile::encode(values));
}

bool ProfileManager::isPropertyGlobal(const kit::String& key) const {
    return globals.count(key) > 0;
}

kit::String ProfileManager::_get(const kit::String& key) const {
    auto it = globals.find(key);
    return it == globals.end() ? "" : it->second;
}

bool ProfileManager::_set(const kit::String& key, const kit::String& value) {
    auto it = globals.find(key);
    if (it != globals.end() && it->second == value) {
        return false;
    }
    globals[key] = value;
    kit::Log::debug(LogTag, kit::format("Global Profile: %s=\"%s\"", key.c_str(), value.c_str()));
    return true;
}

Profile* ProfileManager::operator[](const kit::String& name) const {
    auto it =
        std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p->getName() == name; });
    return it == profiles.end() ? nullptr : it->get();
}

bool ProfileManager::hasProfile(const kit::String& name) const {
    return (*this)[name] != nullptr;
}

bool ProfileManager::canCreateProfile() const {
    return static_cast<int>(profiles.size()) < maximum;
}

bool ProfileManager::createProfile(const kit::String& name, bool activate) {
    if (hasProfile(name)) {
        kit::Log::debug(LogTag, "Could not create profile (already exists): " + name);
        return false;
    }
    profiles.push_back(std::make_unique<Profile>(name));
    Profile* created = profiles.back().get();
    if (activate || !profile) {
        profile = created;
    }
    kit::Log::debug(LogTag, "Created profile: " + name);
    return true;
}

bool ProfileManager::deleteProfile(const kit::String& name) {
    auto it =
        std::find_if(profiles.begin(), profiles.end(), [&](const auto& p) { return p->getName() == name; });
    if (it == profiles.end()) {
        kit::Log::debug(LogTag, "Could not delete profile (does not exist): " + name);
        return false;
    }
    std::unique_ptr<Profile> removed = std::move(*it);
    size_t index = static_cast<size_t>(it - profiles.begin());
    profiles.erase(it);
    if (profile == removed.get()) {
        profile = profiles.empty() ? nullptr : profiles[std::min(index, profiles.size() - 1)].get();
    }
    removed.reset();
    kit::Log::debug(LogTag, "Deleted profile: " + name);
    return true;
}

bool ProfileManager::activateProfile(const kit::String& name) {
    Profile* found = (*this)[name];
    if (!found) {
        kit::Log::debug(LogTag, "Could not activate profile (does not exist): " + name);
        return false;
    }
    kit::Log::debug(LogTag, "Activated profile: " + name);
    profile = found;
    return true;
}

void ProfileManager::clear() {
    profiles.clear();
    profile = nullptr;
    loadedVersion = kit::Version();
}

void ProfileManager::load() {
    clear();
    kit::String selected;
    if (filename.empty()) {
        kit::Log::debug(LogTag, "No profiles found!");
    } else {
        kit::String file = _findFilename(filename);
        if (file.empty()) {
            kit::Log::warn(LogTag, "Profiles not possible to load (CRC32 and backup failed): " + filename);
        } else {
            _readFile(file, selected);
        }
    }
    _activateSelected(selected);
}

void ProfileManager::_readFile(const kit::String& file, kit::String& selected) {
    kit::Log::debug(LogTag, "Loading profiles: " + file);
    kit::Stream stream;
    if (!_loadFile(file, stream)) {
        return;
    }
    std::unique_ptr<CfgParser::Map> map(CfgParser::parseString(stream.getBytes()));
    for (const auto& category : map->categories) {
        if (category->name == "Profile") {
            // A profile without a name has nobody to belong to; its keys are dropped.
            if (category->data.empty() || hasProfile(category->data)) {
                continue;
            }
            profiles.push_back(std::make_unique<Profile>(category->data));
            Profile* loaded = profiles.back().get();
            for (const auto& [key, value] : category->values) {
                loaded->set(key, value);
            }
            continue;
        }
        if (!category->data.empty() && category->name == "Version") {
            loadedVersion = kit::Version(category->data);
        }
        if (!category->data.empty() && category->name == "Selected") {
            selected = category->data;
        }
        for (const auto& [key, value] : category->values) {
            _set(key, value);
        }
    }
}

void ProfileManager::_activateSelected(const kit::String& selected) {
    Profile* chosen = (*this)[selected];
    profile = chosen ? chosen : (profiles.empty() ? nullptr : profiles.front().get());
}

bool ProfileManager::save() {
    kit::Log::debug(LogTag, "Saving profiles: " + filename);
    CfgParser::Map map;
    map.addCategory("Version", core ? core->getGameVersion().toString(3) : "");
    CfgParser::Category* selected = map.addCategory(
        "Selected", profile ? profile->getName() : (profiles.empty() ? "" : profiles.front()->getName()));
    for (const auto& [key, value] : globals) {
        if (defaults.count(key)) {
            selected->values[key] = value;
        }
    }

    for (const auto& p : profiles) {
        CfgParser::Category* category = map.addCategory("Profile", p->getName());
        for (const auto& entry : defaults) {
            if (!isPropertyGlobal(entry.first)) {
                category->values[entry.first] = p->get(entry.first);
            }
        }
    }
    kit::Stream stream(map.createString());
    return _saveFileSet(filename, stream);
}

void ProfileManager::reset() {
    if (_existsFile(filename)) {
        _deleteFile(filename);
    }
    clear();
    load();
    save();
}

}  // namespace ventrel::system
