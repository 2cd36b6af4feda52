#include "ventrel/menu/Profiles.h"

#include "ventrel/Ventrel.h"
#include "ventrel/system/ProfileManager.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::menu {

Profiles::Profiles(system::Context* owner, const kit::String& name) : Base(owner, name) {}

void Profiles::_addNewProfile() {
    profileManager->createProfile(profileName, true);
    _afterChange();
}

void Profiles::_deleteProfile() {
    profileManager->deleteProfile(profileName);
    _afterChange();
}

void Profiles::_selectProfile() {
    profileManager->activateProfile(profileName);
    _afterChange();
}

// The screens show values of the active profile, so they are refreshed with it.
void Profiles::_afterChange() {
    profileManager->save();
    sceneManager->trySceneRefresh();
    refresh();
}

}  // namespace ventrel::menu
