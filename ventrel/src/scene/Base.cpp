#include "ventrel/scene/Base.h"

#include <host/Host.h>
#include <kit/Log.h>

#include "ventrel/Ventrel.h"
#include "ventrel/menu/Dialog.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::scene {

Base::Base(const kit::String& name, const kit::String& playlistName)
    : Context(name), playlistName(playlistName) {}

void Base::setup() {
    kit::Log::debug(LogTag, "Scene setup: " + rootName);
    running = true;
    Context::setup();
    if (host::window) {
        onInputModeChanged(host::window->getInputMode());
    }
    if (!playlistName.empty() && sceneManager) {
        sceneManager->getPlaylists().tryPlay(playlistName);
    }
}

void Base::finish() {
    kit::Log::debug(LogTag, "Scene finish: " + rootName);
    // A question left open would answer a screen that is gone.
    if (sceneManager) {
        for (menu::Dialog* dialog : sceneManager->getDialogs()) {
            dialog->dismiss();
        }
    }
    Context::finish();
    finished = true;
}

bool Base::isRunning() const {
    return running && !(sceneManager && sceneManager->isSceneLoading());
}

}  // namespace ventrel::scene
