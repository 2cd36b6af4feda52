#include <host/Host.h>
#include <kit/Dir.h>
#include <kit/Format.h>
#include <kit/GlobalOwner.h>
#include <kit/Log.h>

#include <memory>

#include "ventrel/Platform.h"
#include "ventrel/Ventrel.h"
#include "ventrel/menu/Base.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/Input.h"
#include "ventrel/system/ProfileManager.h"
#include "ventrel/system/SaveManager.h"
#include "ventrel/system/SceneManager.h"
#include "ventrel/system/TransitionManager.h"

namespace ventrel {

namespace {

void openLog(system::Core* core) {
    kit::Dir::create(core->getSystemPath());
    kit::String file = core->getLogFilename();
    kit::Log::setFilename(file.empty() ? kit::String() : kit::Dir::joinPath(core->getSystemPath(), file));
    kit::Log::setConsoleEnabled(core->isLogOutputEnabled());
}

void writeReport(system::Core* core) {
    kit::Log::write(LogTag, "Game Version: " + core->getGameVersion().toString(3));
    kit::Log::write(LogTag, "Initializing Ventrel Engine: " + EngineVersion.toString(3));
    kit::Log::debug(LogTag, "System Path: " + core->getSystemPath());
    host::SystemInfo info = host::getSystemInfo();
    kit::Log::write(LogTag, "System Info:");
    kit::Log::write(LogTag, "  - System Name: " + info.name);
    kit::Log::write(LogTag, "  - CPU Architecture: " + info.architecture);
    kit::Log::write(LogTag, kit::format("  - CPU Cores: %d", info.cpuCores));
    kit::Log::write(LogTag, kit::format("  - RAM: %d MB", info.ram));
    kit::Log::write(LogTag, kit::format("  - Display Resolution: %dx%d", int(info.displayResolution.x),
                                        int(info.displayResolution.y)));
    kit::Log::write(LogTag, kit::format("  - Display DPI: %d", info.displayDpi));
    kit::Log::write(LogTag, "  - System Locale: " + info.locale);
}

// The managers init made. The globals borrow them; destroy deletes them in a fixed order.
struct Managers {
    std::unique_ptr<system::ProfileManager> profiles;
    std::unique_ptr<system::SaveManager> saves;
    std::unique_ptr<system::SceneManager> scenes;
    std::unique_ptr<system::TransitionManager> transitions;
    std::unique_ptr<system::Input> input;
};
Managers managers;

}  // namespace

void init(system::Core* coreObject, system::GameState* gameStateObject, system::TempState* tempStateObject,
          bool useAsyncLoading) {
    if (!platform::isInitialized()) {
        platform::init();
    }
    core = coreObject;
    gameState = gameStateObject;
    tempState = tempStateObject;
    openLog(core);
    writeReport(core);
    kit::ownGlobal(managers.profiles, profileManager, std::make_unique<system::ProfileManager>());
    kit::ownGlobal(managers.saves, saveManager, std::make_unique<system::SaveManager>());
    kit::ownGlobal(managers.scenes, sceneManager,
                   std::make_unique<system::SceneManager>(core->_createTransition(), useAsyncLoading));
    kit::ownGlobal(managers.transitions, transitionManager,
                   std::make_unique<system::TransitionManager>(sceneManager->getTransition()));
    kit::ownGlobal(managers.input, input, std::make_unique<system::Input>());
    if (core->isDebugEnabled()) {
        for (host::Key key : {host::Key::F2, host::Key::F6, host::Key::F7, host::Key::F8}) {
            input->addKey(key);
        }
    }
}

void destroy() {
    kit::Log::write(LogTag, "Destroying Ventrel Engine.");
    detachWindow();
    kit::releaseGlobal(managers.input, input);
    kit::releaseGlobal(managers.transitions, transitionManager);
    kit::releaseGlobal(managers.scenes, sceneManager);
    kit::releaseGlobal(managers.saves, saveManager);
    kit::releaseGlobal(managers.profiles, profileManager);
    if (core) {
        core->tryDestroyPreLoading();
    }
    cfg.reset();
}

void attachWindow() {
    if (host::window == nullptr) {
        return;
    }
    host::window->setUpdateDelegate(core);
    host::window->setSystemDelegate(sceneManager);
    host::window->setKeyboardDelegate(input);
    host::window->setMouseDelegate(input);
    host::window->setTouchDelegate(input);
    host::window->setControllerDelegate(input);
}

void detachWindow() {
    if (host::window != nullptr) {
        host::window->clearDelegates();
    }
}

}  // namespace ventrel
