#include "ventrel/system/Core.h"

#include <audio/Manager.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <kit/Env.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "ventrel/Ventrel.h"
#include "ventrel/menu/Base.h"
#include "ventrel/menu/Transition.h"
#include "ventrel/scene/Base.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::system {

Core::Core(const kit::String& guiPath, const kit::String& developerName, const kit::String& gameName,
           kit::Version gameVersion)
    : loaderThread(&Core::_threadLoad, ""),
      systemPath(_makeSystemPath(developerName, gameName)),
      guiPath(guiPath),
      developerName(developerName),
      gameName(gameName),
      gameVersion(gameVersion) {}

Core::~Core() {
    if (loaderThread.isStarted()) {
        loaderThread.join();
    }
}

namespace {

kit::String forwardSlashes(const kit::String& path) {
    return kit::replace(path, "\\", "/");
}

// The Windows rule: the machine-wide application-data folder, and when there is no local one, the
// last component of the roaming one.
kit::String windowsBase() {
    kit::String base = forwardSlashes(kit::getEnv("ALLUSERSPROFILE"));
    if (kit::getEnv("LOCALAPPDATA").empty()) {
        kit::String roaming = forwardSlashes(kit::getEnv("APPDATA"));
        base += "/" + roaming.substr(roaming.find_last_of('/') + 1);
    }
    return base;
}

// Services and containers often run without USER; the account's name keeps the folder per user.
kit::String loginName() {
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_name ? entry->pw_name : "user";
}

kit::String xdgBase() {
    kit::String data = kit::getEnv("XDG_DATA_HOME");
    return data.empty() ? kit::getEnv("HOME") + "/.local/share" : data;
}

}  // namespace

kit::String Core::_makeSystemPath(const kit::String& developerName, const kit::String& gameName) {
    bool windows = kit::hasEnv("ALLUSERSPROFILE");
    kit::String user = windows ? kit::getEnv("USERNAME") : kit::getEnv("USER");
    if (user.empty()) {
        user = kit::getEnv("USERNAME");
    }
    if (user.empty()) {
        user = loginName();
    }
    kit::String base = windows ? windowsBase() : xdgBase();
    return base + kit::format("/%s/%s/%s", developerName.c_str(), gameName.c_str(), user.c_str()) + "/";
}

void Core::logCrash(const kit::Exception& e) {
    kit::Log::error(LogTag, e.getMessage());
    detachWindow();
    if (crashMessageBox) {
        host::showMessageBox(gameName + ": ERROR!", "An error has occurred!\n\n" + e.getMessage(),
                             host::MessageBoxStyle::Error);
    }
    if (!crashExit) {
        return;
    }
    if (sceneManager) {
        sceneManager->setFinished();
    }
    kit::Log::finalize(false);
    std::exit(1);
}

std::unique_ptr<menu::Transition> Core::_createTransition() {
    return std::make_unique<menu::Transition>(nullptr, "");
}

std::unique_ptr<menu::Base> Core::_createPreLoading() {
    return nullptr;
}

void Core::start() {
    gui::setHoverEffectEnabled(!host::window ||
                               host::window->getInputMode() != host::Window::InputMode::Touch);
}

void Core::exitGame() {
    if (sceneManager) {
        sceneManager->setFinished();
    }
}

bool Core::isRunning() const {
    return loading || (sceneManager && sceneManager->isRunning());
}

bool Core::isHoverEffectEnabled() const {
    return gui::isHoverEffectEnabled();
}

void Core::_playSound(const kit::String& name, const kit::String& fallback) {
    const kit::String& sound = name.empty() ? fallback : name;
    if (!sound.empty() && audio::manager) {
        audio::manager->play(sound, 0.0f, false, 1.0f);
    }
}

void Core::clickSound(const kit::String& name) {
    _playSound(name, soundNameClick);
}

void Core::buzzerSound(const kit::String& name) {
    _playSound(name, soundNameBuzzer);
}

void Core::_threadLoad(kit::Thread*) {
    core->_loadAsync();
    core->loaded = true;
}

// The asynchronous pre-load: the load runs on the thread while the main thread keeps the window alive.
void Core::_preLoadFrame(float timeDelta) {
    if (!loaderThread.isStarted()) {
        loading = true;
        _load();
        loaderThread.start();
    }
    sceneManager->advanceTime(timeDelta);
    if (preLoading) {
        _renderPreLoading();
    }
}

// The pre-loading screen stays until the first scene runs and its own animation has ended.
void Core::_finishPreLoading() {
    if (!preLoading) {
        loading = false;
        return;
    }
    scene::Base* scene = sceneManager->getScene();
    if (!scene || !scene->isRunning() || sceneManager->isSceneLoading()) {
        return;
    }
    if (preLoading->isWaitingAnimation()) {
        scene->blockInput();
    } else {
        preLoading->hide();
        loading = false;
    }
}

bool Core::onUpdate(float timeDelta) {
    if (!loaded && sceneManager->isUseAsyncLoading()) {
        _preLoadFrame(timeDelta);
        return loading || sceneManager->isRunning();
    }
    if (!loaded) {
        _load();
        loaded = true;
    }
    if (loading) {
        _finishPreLoading();
    }
    if (!loading) {
        sceneManager->processEvents();
        _updateDebug();
    }
    sceneManager->update(timeDelta);
    if (audio::manager) {
        audio::manager->update(timeDelta);
    }
    if (preLoading) {
        preLoading->update();
        preLoading->draw();
        if (!preLoading->isVisible()) {
            tryDestroyPreLoading();
        }
    }
    return loading || sceneManager->isRunning();
}

void Core::tryRenderPreLoading(bool present) {
    if (!preLoading) {
        if (host::window) {
            onInputModeChanged(host::window->getInputMode());
        }
        preLoading = _createPreLoading();
        if (!preLoading) {
            return;
        }
    }
    if (host::rendersys) {
        host::rendersys->clear();
        host::rendersys->setOrthoProjection(gui::getViewport());
    }
    _renderPreLoading();
    if (present && host::rendersys) {
        host::rendersys->presentFrame();
    }
}

void Core::_renderPreLoading() {
    if (!preLoading) {
        kit::Log::warn(LogTag, "Can't render pre-loading, it does not exist!");
        return;
    }
    preLoading->update();
    preLoading->draw();
}

void Core::tryDestroyPreLoading() {
    preLoading.reset();
}

}  // namespace ventrel::system
