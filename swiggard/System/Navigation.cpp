#include "System/Navigation.h"

#include <host/Host.h>
#include <host/Window.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <ventrel/CfgParser.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TransitionManager.h>

#include <algorithm>

#include "System/Globals.h"
#include "System/TempState.h"

namespace System {

namespace {

bool isRegistered(const kit::String& name) {
    kit::Array<kit::String> names = ventrel::sceneManager->getSceneNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

void goToScene(const kit::String& name) {
    if (!ventrel::sceneManager) {
        return;
    }
    if (!isRegistered(name)) {
        kit::Log::warn(LogTag, "The screen '" + name + "' is not part of this build yet");
        return;
    }
    ventrel::sceneManager->switchScene(name);
}

void goToScene(const kit::String& name, int transitionKind, float startDuration, float finishDuration) {
    if (!ventrel::sceneManager || !isRegistered(name)) {
        goToScene(name);
        return;
    }
    ventrel::sceneManager->switchScene(name);
    if (ventrel::transitionManager) {
        ventrel::transitionManager->activate(transitionKind, startDuration, finishDuration, false);
    }
}

kit::String configuredValue(const kit::String& key) {
    ventrel::CfgParser::Category* system = ventrel::cfg ? ventrel::cfg->getCategory("System") : nullptr;
    return system ? system->get(key) : kit::String();
}

void openConfiguredPage(const kit::String& key) {
    kit::String url = configuredValue(key);
    if (url.empty()) {
        kit::Log::warn(LogTag, "No address configured for '" + key + "'");
        return;
    }
    if (!host::openUrl(url)) {
        kit::Log::warn(LogTag, "The desktop could not open " + url);
        if (TempState* temp = tempState()) {
            temp->addNotification("{%f} gui.NotificationNoBrowser {" + kit::escapeText(url) + "}", "");
        }
    }
}

kit::Array<kit::String> padButtonNames() {
    if (host::window && host::window->getControllerFamily() == host::Window::ControllerFamily::PlayStation) {
        return {"gui.PadCross", "gui.PadCircle", "gui.PadTriangle"};
    }
    return {"{A}", "{B}", "{Y}"};
}

bool isControllerInUse() {
    return host::window && host::window->getInputMode() == host::Window::InputMode::Controller;
}

}  // namespace System
