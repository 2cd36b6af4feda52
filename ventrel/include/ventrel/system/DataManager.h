#pragma once

#include <kit/Types.h>
#include <serial/Serializable.h>

namespace ventrel::system {

// The base of a game's catalogue of static content: loads serialised objects from the read-only
// resource tree, binary (".srb") before XML (".srx").
class DataManager {
public:
    explicit DataManager(const kit::String& path) : path(path) {}
    virtual ~DataManager() = default;

    virtual void load() { loaded = true; }
    bool isLoaded() const { return loaded; }
    const kit::String& getPath() const { return path; }

protected:
    bool loaded = false;
    kit::String path;

    // Each returns true when something was read.
    bool _loadObject(const kit::String& name, serial::Serializable** object, bool warnIfMissing);
    // A file whose root is a serial::Collection; its objects are appended.
    bool _loadArray(const kit::String& name, kit::Array<serial::Serializable*>& objects, bool warnIfMissing);
    // One object per file of the folder: every binary file in name order, then the XML files that
    // have no binary twin.
    bool _loadDirectory(const kit::String& folder, kit::Array<serial::Serializable*>& objects,
                        bool warnIfMissing);

private:
    serial::Serializable* _readRoot(const kit::String& name, bool warnIfMissing, bool& found);
};

}  // namespace ventrel::system
