#include "ventrel/system/DataManager.h"

#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>
#include <serial/Collection.h>
#include <serial/Serial.h>

#include <algorithm>

namespace ventrel::system {

namespace {

const kit::String DataTag = "data";

kit::Array<kit::String> namesWithExtension(const kit::Array<kit::String>& files,
                                           const kit::String& extension) {
    kit::Array<kit::String> names;
    for (const kit::String& file : files) {
        if (kit::endsWith(file, extension)) {
            names.push_back(file.substr(0, file.size() - extension.size()));
        }
    }
    return names;
}

}  // namespace

std::unique_ptr<serial::Serializable> DataManager::_loadObject(const kit::String& name, bool warnIfMissing) {
    kit::String base = kit::Dir::joinPath(path, name);
    for (const char* extension : {".srb", ".srx"}) {
        kit::String file = base + extension;
        if (kit::ResourceDir::exists(file)) {
            kit::Log::write(DataTag, "Loading: " + file);
            std::unique_ptr<serial::Serializable> root(serial::loadFile(kit::ResourceDir::getPath(file)));
            if (!root) {
                kit::Log::warn(DataTag, "Could not read: " + file);
            }
            return root;
        }
    }
    if (warnIfMissing) {
        kit::Log::warn(DataTag, "Could not load: " + base);
    }
    return nullptr;
}

bool DataManager::_loadArray(const kit::String& name, Objects& objects, bool warnIfMissing) {
    std::unique_ptr<serial::Serializable> root = _loadObject(name, warnIfMissing);
    auto* list = dynamic_cast<serial::Collection*>(root.get());
    if (!list) {
        if (root) {
            kit::Log::warn(DataTag, "Not an object list: " + kit::Dir::joinPath(path, name));
        }
        return false;
    }
    for (serial::Serializable* object : list->release()) {
        if (object) {
            objects.emplace_back(object);
        }
    }
    return true;
}

bool DataManager::_loadDirectory(const kit::String& folder, Objects& objects, bool warnIfMissing) {
    kit::String full = kit::Dir::joinPath(path, folder);
    if (!kit::ResourceDir::isDirectory(full)) {
        if (warnIfMissing) {
            kit::Log::warn(DataTag, "Could not load: " + full);
        }
        return false;
    }
    kit::Log::write(DataTag, "Loading: " + full);
    kit::Array<kit::String> files = kit::ResourceDir::files(full);
    kit::Array<kit::String> names = namesWithExtension(files, ".srb");
    for (const kit::String& name : namesWithExtension(files, ".srx")) {
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(name);
        }
    }
    // Binary names come first: the listing is sorted, and the XML-only names are appended after them.
    for (const kit::String& name : names) {
        if (std::unique_ptr<serial::Serializable> object =
                _loadObject(kit::Dir::joinPath(folder, name), true)) {
            objects.push_back(std::move(object));
        }
    }
    return true;
}

}  // namespace ventrel::system
