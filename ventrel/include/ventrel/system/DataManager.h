#pragma once

#include <kit/Types.h>
#include <serial/Serializable.h>

#include <memory>

namespace ventrel::system {

// The base of a game's catalogue of static content: loads serialised objects from the read-only
// resource tree, binary (".srb") before XML (".srx").
class DataManager {
public:
    using Objects = kit::Array<std::unique_ptr<serial::Serializable>>;

    explicit DataManager(const kit::String& path) : path(path) {}
    virtual ~DataManager() = default;

    virtual void load() { loaded = true; }
    bool isLoaded() const { return loaded; }
    const kit::String& getPath() const { return path; }

protected:
    bool loaded = false;
    kit::String path;

    // The file's object; null when there is none or it cannot be read.
    std::unique_ptr<serial::Serializable> _loadObject(const kit::String& name, bool warnIfMissing);
    // A file whose root is a serial::Collection; its objects are appended. True when it was read.
    bool _loadArray(const kit::String& name, Objects& objects, bool warnIfMissing);
    // One object per file of the folder: every binary file in name order, then the XML files that
    // have no binary twin. True when the folder exists.
    bool _loadDirectory(const kit::String& folder, Objects& objects, bool warnIfMissing);
};

}  // namespace ventrel::system
