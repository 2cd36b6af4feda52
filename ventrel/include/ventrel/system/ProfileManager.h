#pragma once

#include <kit/OwnedView.h>
#include <kit/Types.h>

#include <memory>

#include "ventrel/system/FileManager.h"
#include "ventrel/system/Profile.h"

namespace ventrel::system {

// The named profiles, the global properties shared by all of them and the active profile (the global
// ventrel::profile), stored together in one checksummed configuration file.
class ProfileManager : public FileManager {
    friend class Profile;

public:
    // Defaults shared by all profiles.
    static kit::Map<kit::String, kit::String> defaults;

    ProfileManager();
    ~ProfileManager() override;
    ProfileManager(const ProfileManager&) = delete;
    ProfileManager& operator=(const ProfileManager&) = delete;

    const kit::String& getFilename() const { return filename; }
    void setFilename(const kit::String& value) { filename = value; }
    kit::OwnedView<Profile> getProfiles() const { return kit::OwnedView<Profile>(profiles); }
    kit::Array<kit::String> getProfileNames() const;
    int getMaximum() const { return maximum; }
    void setMaximum(int value) { maximum = value; }
    const kit::Map<kit::String, kit::String>& getGlobals() const { return globals; }

    void addDefault(const kit::String& key, const kit::String& value);
    void addDefault(const kit::String& key, const kit::Array<kit::String>& values);
    void addDefault(const kit::String& key, const kit::Map<kit::String, kit::String>& values);
    void addGlobal(const kit::String& key, const kit::String& value);
    void addGlobal(const kit::String& key, const kit::Array<kit::String>& values);
    void addGlobal(const kit::String& key, const kit::Map<kit::String, kit::String>& values);
    bool isPropertyGlobal(const kit::String& key) const;

    Profile* operator[](const kit::String& name) const;
    bool hasProfile(const kit::String& name) const;
    bool canCreateProfile() const;
    bool createProfile(const kit::String& name, bool activate);
    bool deleteProfile(const kit::String& name);
    bool activateProfile(const kit::String& name);

    void load();
    // False when the file could not be written; the previous file set then stays loadable.
    bool save();
    void clear();
    void reset();

protected:
    kit::String filename;
    kit::Map<kit::String, kit::String> globals;
    kit::Array<std::unique_ptr<Profile>> profiles;
    int maximum = 1;

    kit::String _get(const kit::String& key) const;
    bool _set(const kit::String& key, const kit::String& value);

private:
    void _readFile(const kit::String& file, kit::String& selected);
    void _activateSelected(const kit::String& selected);
};

}  // namespace ventrel::system
