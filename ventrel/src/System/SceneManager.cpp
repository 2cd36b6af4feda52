#include "ventrel/system/SceneManager.h"

#include <audio/Manager.h>
#include <fonts/Renderer.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/ResourceNotExistsException.h>
#include <kit/Strings.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

#include "ventrel/Ventrel.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/Input.h"
#include "ventrel/system/TempState.h"
#include "ventrel/system/TransitionManager.h"

namespace ventrel::system {

namespace {

// When the engine was loaded, for the start-up time reported once the first screen takes input.
const auto loadedAt = std::chrono::steady_clock::now();
bool readyReported = false;

// The frame before this one was shown with a screen that takes input: the wait a player has at start.
void reportReady(const scene::Base* scene) {
    if (readyReported || !scene || !scene->isInputAllowed()) {
        return;
    }
    readyReported = true;
    auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - loadedAt);
    kit::Log::write(LogTag,
                    kit::format("First screen takes input after %d ms", static_cast<int>(waited.count())));
}

// Animating: a menu with visibility animations whose fade or scale object is still moving.
bool isAnimating(const menu::Base* menu) {
    return menu->isVisibilityAnimated();
}

bool isTriggered(host::Key key) {
    return input && input->isKeyTriggered(key);
}

}  // namespace

SceneManager::SceneManager(std::unique_ptr<menu::Transition> transition, bool useAsyncLoading)
    : useAsyncLoading(useAsyncLoading),
      transition(std::move(transition)),
      loaderThread(&SceneManager::_threadLoad, "") {}

SceneManager::~SceneManager() {
    if (loaderThread.isStarted()) {
        loaderThread.join();
    }
    // The music first; then the screens, which may still hold the data sets' objects and pictures; the
    // data sets last.
    playlists.clear();
    scene.reset();
    nextScene.reset();
    dialogs.clear();
    overlays.clear();
    transition.reset();
    datasets.clear();
}

kit::Array<Context*> SceneManager::_getControls() const {
    kit::Array<Context*> controls;
    for (const auto& overlay : overlays) {
        controls.push_back(overlay.get());
    }
    if (transition) {
        controls.push_back(transition.get());
    }
    if (scene) {
        controls.push_back(scene.get());
    }
    for (const auto& dialog : dialogs) {
        controls.push_back(dialog.get());
    }
    return controls;
}

// ---- Scenes ----

void SceneManager::registerSceneFactory(const kit::String& name, const SceneFactory& factory) {
    sceneFactories[name] = factory;
}

kit::Array<kit::String> SceneManager::getSceneNames() const {
    kit::Array<kit::String> names;
    for (const auto& [name, factory] : sceneFactories) {
        names.push_back(name);
    }
    return names;
}

void SceneManager::switchScene(const kit::String& name) {
    if (nextScene) {
        kit::Log::warn(LogTag, kit::format("Cannot switch to scene '%s', already switching to '%s'!",
                                           name.c_str(), currentSceneName.c_str()));
        return;
    }
    auto factory = sceneFactories.find(name);
    if (factory == sceneFactories.end()) {
        throw kit::ResourceNotExistsException(name, "scene", "ventrel");
    }
    previousSceneName = currentSceneName;
    currentSceneName = name;
    kit::Log::write(LogTag, "Switching scene: " + name);
    std::unique_ptr<scene::Base> created = factory->second();
    if (scene) {
        nextScene = std::move(created);
    } else {
        scene = std::move(created);
    }
}

void SceneManager::switchPreviousScene() {
    if (previousSceneName.empty()) {
        kit::Log::error(LogTag, "Cannot switch to previous scene, there is none!");
        return;
    }
    kit::String name = previousSceneName;
    switchScene(name);
}

void SceneManager::restartScene() {
    if (nextScene) {
        kit::Log::warn(LogTag, kit::format("Cannot restart scene, already switching to '%s'!",
                                           currentSceneName.c_str()));
        return;
    }
    if (!scene) {
        kit::Log::warn(LogTag, "No current scene for restart.");
        return;
    }
    kit::Log::write(LogTag, "Restarting scene: " + currentSceneName);
    nextScene = scene->_createNew();
}

bool SceneManager::isSceneLoading() const {
    return sceneSetupInProgress || loaderThread.isRunning();
}

void SceneManager::advanceTime(float step) {
    clock.setLoadingStep(step);
}

// ---- Registries ----

gui::Dataset* SceneManager::registerDataset(std::unique_ptr<gui::Dataset> dataset) {
    return datasets.add(std::move(dataset));
}
menu::Overlay* SceneManager::registerOverlay(std::unique_ptr<menu::Overlay> overlay) {
    return overlays.add(std::move(overlay));
}
menu::Dialog* SceneManager::registerDialog(std::unique_ptr<menu::Dialog> dialog) {
    return dialogs.add(std::move(dialog));
}

gui::Dataset* SceneManager::findDataset(const kit::String& name) const {
    return datasets.find(name);
}
menu::Overlay* SceneManager::findOverlay(const kit::String& name) const {
    return overlays.find(name);
}
menu::Dialog* SceneManager::findDialog(const kit::String& name) const {
    return dialogs.find(name);
}

void SceneManager::activateDataset(const kit::String& name, bool loadNow) {
    activeDatasets.push_back(name);
    kit::removeDuplicates(activeDatasets);
    if (loadNow) {
        gui::Dataset* dataset = findDataset(name);
        if (!dataset->isLoaded()) {
            dataset->load();
        }
    }
}

void SceneManager::deactivateDataset(const kit::String& name) {
    activeDatasets.erase(std::remove(activeDatasets.begin(), activeDatasets.end(), name),
                         activeDatasets.end());
    gui::Dataset* dataset = findDataset(name);
    if (dataset->isLoaded()) {
        dataset->unloadTextures();
    }
}

menu::Overlay* SceneManager::showOverlay(const kit::String& name) {
    menu::Overlay* overlay = findOverlay(name);
    if (!overlay->isVisible() && !isAnimating(overlay)) {
        overlay->show();
    }
    return overlay;
}

menu::Overlay* SceneManager::hideOverlay(const kit::String& name) {
    menu::Overlay* overlay = findOverlay(name);
    if (overlay->isVisible() && !isAnimating(overlay)) {
        overlay->hide();
    }
    return overlay;
}

menu::Overlay* SceneManager::getActiveOverlay() const {
    // Visible means shown: a menu hidden at set-up keeps its root's flag but has no alpha.
    for (auto overlay = overlays.rbegin(); overlay != overlays.rend(); ++overlay) {
        if ((*overlay)->isAlwaysModal() && (*overlay)->isVisible()) {
            return overlay->get();
        }
    }
    return nullptr;
}

menu::Dialog* SceneManager::showDialog(const kit::String& name, Context* caller, Context* owner,
                                       const kit::Array<kit::String>& texts, const kit::String& context) {
    menu::Dialog* dialog = findDialog(name);
    dialog->showAsDialog(caller, owner, texts, context);
    return dialog;
}

menu::Dialog* SceneManager::showDialog(const kit::String& name, Context* caller, Context* owner,
                                       const kit::String& text, const kit::String& context) {
    return showDialog(name, caller, owner,
                      text.empty() ? kit::Array<kit::String>() : kit::Array<kit::String>{text}, context);
}

// ---- Audio ----

void SceneManager::stopAudio() {
    playlists.stop(0.25f);
    if (audio::manager) {
        audio::manager->stopAll(0.25f);
    }
}

// ---- Frame ----

void SceneManager::_applyDebugKeys(float& step) {
    if (!core || !core->isDebugEnabled() || !input) {
        return;
    }
    if (input->isKeyPressed(host::Key::F7)) {
        step *= 0.1f;
    }
    if (input->isKeyPressed(host::Key::F8)) {
        step *= 10.0f;
    }
    if (isTriggered(host::Key::F2)) {
        gui::setDebugEnabled(!gui::isDebugEnabled());
    }
    if (isTriggered(host::Key::F6)) {
        core->setFpsRendering(!core->isFpsRendering());
    }
    _updateDebugTitle();
}

// While the GUI debug mode is on the title shows the cursor position.
void SceneManager::_updateDebugTitle() {
    if (!host::window) {
        return;
    }
    if (gui::isDebugEnabled()) {
        if (plainTitle.empty()) {
            plainTitle = host::window->getTitle();
        }
        const quadrix::Vector2& cursor = gui::getCursorPosition();
        host::window->setTitle(kit::format("%s (%d,%d)", plainTitle.c_str(), int(cursor.x), int(cursor.y)));
    } else if (!plainTitle.empty()) {
        host::window->setTitle(plainTitle);
        plainTitle.clear();
    }
}

void SceneManager::update(float step) {
    reportReady(scene.get());
    step = FrameClock::clamp(step);
    _applyDebugKeys(step);
    clock.begin(step);
    if (!running && !finished) {
        _setup();
        _draw();
        if (!scene) {
            kit::Log::error(LogTag, "There is no initial scene!");
        }
        return;
    }
    if (!scene) {
        return;
    }
    for (const auto& dataset : datasets) {
        if (dataset->isLoaded()) {
            dataset->update(clock.getStep());
        }
    }
    clock.tick();
    if ((nextScene || finished) && _handleSwitch()) {
        return;
    }
    if (useAsyncLoading && sceneLoadPending) {
        loaderThread.start();
        if (input) {
            input->resetInput();
        }
        transitionManager->update();
        return;
    }
    bool setUp = !scene->isRunning() || isSceneLoading();
    if (setUp) {
        _setupScene();
        clock.hold();
        sceneLoadPending = false;
    } else if (input) {
        input->update();
    }
    transitionManager->update();
    _update();
    _draw();
    // Keys pressed while the scene was set up are dropped; the input states stay, since a question the
    // scene asked in its set-up holds one.
    if (setUp) {
        if (input) {
            input->resetInput();
        }
        blockInput();
    }
}

bool SceneManager::_isAnyMenuAnimating() const {
    return overlays.any(isAnimating) || dialogs.any(isAnimating);
}

// One frame of a pending switch or exit; true when the frame is done.
bool SceneManager::_handleSwitch() {
    if (scene->isRunning() && !isSceneLoading() && !scene->isFinished()) {
        if (!scene->isWaitingBeforeSceneSwitch() && !_isAnyMenuAnimating()) {
            scene->finish();
            transitionManager->start();
            if (!nextScene || nextScene->getPlaylistName() != scene->getPlaylistName()) {
                stopAudio();
            }
        }
        if (input) {
            input->update();
        }
        transitionManager->update();
        _update();
        _draw();
        return true;
    }
    if (transitionManager->isStarting()) {
        return false;
    }
    if (!nextScene || finished) {
        finished = true;
        running = false;
        _draw();
    }
    scene.reset();
    scene = std::move(nextScene);
    if (finished || !scene) {
        return true;
    }
    if (transitionManager->isRunning()) {
        _draw();
        return true;
    }
    return false;
}

void SceneManager::_setup() {
    running = true;
    host::Window::InputMode mode =
        host::window ? host::window->getInputMode() : host::Window::InputMode::Mouse;
    kit::Array<Context*> menus;
    if (transition) {
        menus.push_back(transition.get());
    }
    for (const auto& dialog : dialogs) {
        menus.push_back(dialog.get());
    }
    for (const auto& overlay : overlays) {
        menus.push_back(overlay.get());
    }
    for (Context* menu : menus) {
        menu->setup();
        menu->onInputModeChanged(mode);
    }
}

void SceneManager::_setupScene() {
    sceneSetupInProgress = true;
    for (const kit::String& name : activeDatasets) {
        gui::Dataset* dataset = findDataset(name);
        if (!dataset->isLoaded()) {
            dataset->load();
        }
    }
    gui::processEvents();
    if (input) {
        input->reset();
    }
    scene->setup();
    sceneSetupInProgress = false;
}

// The scene is set up off the main thread; the pictures it shows are left to load when first drawn.
void SceneManager::_threadLoad(kit::Thread*) {
    SceneManager* manager = sceneManager;
    if (tempState) {
        tempState->setLoadingProgress(0.8f);
    }
    manager->_setupScene();
    if (tempState) {
        tempState->setLoadingProgress(1.0f);
    }
    manager->sceneLoadPending = false;
}

void SceneManager::_update() {
    bool overlayActive = hasActiveOverlay();
    for (auto overlay = overlays.rbegin(); overlay != overlays.rend(); ++overlay) {
        if ((*overlay)->isAlwaysModal()) {
            (*overlay)->update();
        }
    }
    for (const auto& overlay : overlays) {
        if (!overlay->isAlwaysModal()) {
            overlay->update();
        }
    }
    if (transition) {
        transition->update();
    }
    if (!transitionManager->isRunning()) {
        if (!overlayActive) {
            scene->update();
        }
        for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog) {
            if (!(*dialog)->isVisible() || isAnimating(dialog->get())) {
                (*dialog)->update();
            }
        }
    }
    playlists.update();
}

void SceneManager::_draw() {
    if (scene && scene->isRunning() && !isSceneLoading()) {
        scene->draw();
    }
    for (const auto& dialog : dialogs) {
        dialog->draw();
    }
    for (const auto& overlay : overlays) {
        if (!overlay->isAlwaysModal()) {
            overlay->draw();
        }
    }
    if (transition) {
        transition->draw();
    }
    for (const auto& overlay : overlays) {
        if (overlay->isAlwaysModal()) {
            overlay->draw();
        }
    }
    _drawScaleBars();
    _drawFrameRate();
}

void SceneManager::_drawScaleBars() {
    float scale = core ? core->getScaleFactor() : 1.0f;
    if (scale >= 1.0f || !host::rendersys) {
        return;
    }
    const quadrix::Rectangle& viewport = gui::getViewport();
    float barHeight = std::ceil(viewport.h * (1.0f - scale) * 0.5f);
    float barWidth = std::ceil(viewport.w * (1.0f - scale) * 0.5f);
    const quadrix::Rectangle bars[] = {
        {viewport.x, viewport.y, viewport.w, barHeight},
        {viewport.x, viewport.y + viewport.h - barHeight, viewport.w, barHeight},
        {viewport.x, viewport.y, barWidth, viewport.h},
        {viewport.x + viewport.w - barWidth, viewport.y, barWidth, viewport.h},
    };
    for (const quadrix::Rectangle& bar : bars) {
        host::rendersys->drawQuad(
            {quadrix::Vector2(bar.x, bar.y), quadrix::Vector2(bar.x + bar.w, bar.y),
             quadrix::Vector2(bar.x + bar.w, bar.y + bar.h), quadrix::Vector2(bar.x, bar.y + bar.h)},
            host::Color::Black);
    }
}

void SceneManager::_drawFrameRate() {
    if (!core || !core->isFpsRendering() || !fonts::renderer || !fonts::renderer->getDefaultFont() ||
        !host::window || !host::rendersys) {
        return;
    }
    fonts::TextStyle style;
    style.font = fonts::renderer->getDefaultFont()->getName();
    const fonts::RenderedText* text =
        fonts::renderer->render(kit::format("[b=000000]%d[/b]", host::window->getFps()), style, 0.0f, 0.0f);
    if (!text || !text->texture) {
        return;
    }
    const quadrix::Rectangle& viewport = gui::getViewport();
    float x = viewport.x + text->area.x;
    float y = viewport.y + text->area.y;
    host::rendersys->drawQuad(
        text->texture,
        {quadrix::Vector2(x, y), quadrix::Vector2(x + text->area.w, y),
         quadrix::Vector2(x + text->area.w, y + text->area.h), quadrix::Vector2(x, y + text->area.h)},
        {quadrix::Vector2(0, 0), quadrix::Vector2(1, 0), quadrix::Vector2(1, 1), quadrix::Vector2(0, 1)},
        host::Color::White);
}

void SceneManager::processEvents() {
    for (Context* control : _getControls()) {
        control->processEvents();
    }
    for (const auto& dataset : datasets) {
        dataset->processEvents();
    }
}

void SceneManager::blockInput() {
    if (scene) {
        scene->blockInput();
    }
    for (const auto& dialog : dialogs) {
        dialog->blockInput();
    }
    for (const auto& overlay : overlays) {
        overlay->blockInput();
    }
}

bool SceneManager::trySceneRefresh() {
    if (!running || !scene || !scene->isRunning() || isSceneLoading()) {
        return false;
    }
    scene->refresh();
    if (transition) {
        transition->refresh();
    }
    for (const auto& overlay : overlays) {
        if (overlay->isVisible()) {
            overlay->refresh();
        }
    }
    for (const auto& dialog : dialogs) {
        if (dialog->isVisible()) {
            dialog->refresh();
        }
    }
    return true;
}

// ---- Input ----

// An active overlay takes the event alone; otherwise the visible non-modal overlays hear it first,
// topmost first, then the running scene.
template <class Event>
void SceneManager::_route(Event event) {
    if (!running) {
        return;
    }
    if (menu::Overlay* overlay = getActiveOverlay()) {
        event(overlay);
        gui::processEvents();
        return;
    }
    if (!scene || !scene->isRunning() || isSceneLoading()) {
        return;
    }
    for (auto overlay = overlays.rbegin(); overlay != overlays.rend(); ++overlay) {
        if (!(*overlay)->isAlwaysModal() && (*overlay)->isVisible()) {
            event(overlay->get());
        }
    }
    event(scene.get());
    gui::processEvents();
}

void SceneManager::onMouseDown(host::Key key) {
    _route([&](Context* c) { c->onMouseDown(key); });
}
void SceneManager::onMouseUp(host::Key key) {
    _route([&](Context* c) { c->onMouseUp(key); });
}
void SceneManager::onMouseCancel(host::Key key) {
    _route([&](Context* c) { c->onMouseCancel(key); });
}
void SceneManager::onMouseMove() {
    _route([&](Context* c) { c->onMouseMove(); });
}
void SceneManager::onMouseScroll(float x, float y) {
    _route([&](Context* c) { c->onMouseScroll(x, y); });
}
void SceneManager::onKeyDown(host::Key key) {
    _route([&](Context* c) { c->onKeyDown(key); });
}
void SceneManager::onKeyUp(host::Key key) {
    _route([&](Context* c) { c->onKeyUp(key); });
}
void SceneManager::onChar(unsigned int charCode) {
    _route([&](Context* c) { c->onChar(charCode); });
}
void SceneManager::onTouch(const kit::Array<quadrix::Vector2>& touches) {
    _route([&](Context* c) { c->onTouch(touches); });
}
void SceneManager::onButtonDown(host::Button button) {
    _route([&](Context* c) { c->onButtonDown(button); });
}
void SceneManager::onButtonUp(host::Button button) {
    _route([&](Context* c) { c->onButtonUp(button); });
}

// ---- System events ----

template <class Function>
void SceneManager::_guarded(Function function) {
    try {
        function();
    } catch (const kit::Exception& e) {
        if (core) {
            core->logCrash(e);
        } else {
            kit::Log::error(LogTag, e.what());
        }
    }
}

bool SceneManager::onQuit(bool canCancel) {
    _guarded([&] {
        if (core) {
            core->onQuit(canCancel);
        }
    });
    return false;
}

void SceneManager::onWindowFocusChanged(bool focused) {
    _guarded([&] {
        active = focused;
        if (!finished && focused) {
            if (audio::manager) {
                audio::manager->resumeAudio();
            }
            playlists.enable();
        } else if (!finished) {
            playlists.disable();
            if (audio::manager) {
                audio::manager->suspendAudio();
            }
        }
        if (core) {
            core->onWindowFocusChanged(focused);
        }
        for (Context* control : _getControls()) {
            control->onWindowFocusChanged(focused);
        }
    });
}

void SceneManager::onWindowSizeChanged(int width, int height, bool fullscreen) {
    _guarded([&] {
        if (host::rendersys) {
            host::rendersys->setViewport(quadrix::Rectangle(0.0f, 0.0f, float(width), float(height)));
        }
        if (core) {
            core->onWindowSizeChanged(width, height, fullscreen);
        }
        if (!finished) {
            for (Context* control : _getControls()) {
                control->onWindowSizeChanged(width, height, fullscreen);
            }
        }
    });
}

void SceneManager::onInputModeChanged(host::Window::InputMode inputMode) {
    _guarded([&] {
        bool touch = host::window && host::window->getInputMode() == host::Window::InputMode::Touch;
        gui::setHoverEffectEnabled(!touch);
        if (core) {
            core->onInputModeChanged(inputMode);
        }
        if (!finished) {
            for (Context* control : _getControls()) {
                control->onInputModeChanged(inputMode);
            }
        }
    });
}

void SceneManager::onVirtualKeyboardChanged(bool visible, float heightRatio) {
    _guarded([&] {
        if (core) {
            core->onVirtualKeyboardChanged(visible, heightRatio);
        }
    });
}

void SceneManager::onLowMemoryWarning() {
    _guarded([&] {
        kit::Log::write(LogTag, "Low memory warning received:");
        if (core) {
            core->onLowMemoryWarning();
        }
        kit::Log::write(LogTag, "- purging unused textures...");
        gui::unloadUnusedResources();
        kit::Log::write(LogTag, "- clearing font cache...");
        if (fonts::renderer) {
            fonts::renderer->clearCache();
        }
        kit::Log::write(LogTag, "- clearing unused audio...");
        if (audio::manager) {
            audio::manager->freeUnusedMemory();
        }
    });
}

}  // namespace ventrel::system
