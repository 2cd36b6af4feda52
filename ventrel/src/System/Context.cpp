#include "ventrel/system/Context.h"

#include <gui/ButtonBase.h>
#include <gui/Gui.h>
#include <gui/MemberCallbackEvent.h>
#include <host/Host.h>
#include <kit/Dir.h>
#include <kit/Format.h>
#include <kit/Log.h>

#include <algorithm>
#include <cmath>

#include "ventrel/Ventrel.h"
#include "ventrel/menu/Base.h"
#include "ventrel/scene/Base.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/Input.h"
#include "ventrel/system/SceneManager.h"
#include "ventrel/system/TransitionManager.h"
#include "ventrel/system/Viewerset.h"

namespace ventrel::system {

Context::Context(const kit::String& rootName) : rootName(rootName) {}

Context::~Context() {
    delete viewerset;
    for (menu::Base* menu : menus) {
        delete menu;
    }
    delete dataset;
}

bool Context::isVisible() const {
    return root && root->isVisible() && root->getAlpha() != 0;
}

void Context::setVisible(bool visible) {
    if (root) {
        root->setVisible(visible);
    }
}

bool Context::isEnabled() const {
    return root && root->isEnabled();
}

void Context::setEnabled(bool enabled) {
    if (root) {
        root->setEnabled(enabled);
    }
}

bool Context::isAnimated() const {
    return dataset && dataset->isAnimated();
}

bool Context::isWaitingAnimation() const {
    return dataset && dataset->isWaitingAnimation();
}

void Context::processEvents() {
    for (auto menu = menus.rbegin(); menu != menus.rend(); ++menu) {
        (*menu)->processEvents();
    }
    if (dataset) {
        dataset->processEvents();
    }
}

void Context::setup() {
    _setupMenus();
    if (!rootName.empty()) {
        _setupDataset();
        _setupDatasetAspect();
        _setupViewerset();
    }
    for (menu::Base* menu : menus) {
        menu->setup();
    }
    _setupCallbacks();
    inputAllowed = false;
    queuedCallbacks.clear();
    refresh();
}

void Context::finish() {
    for (menu::Base* menu : menus) {
        menu->finish();
    }
}

void Context::draw() {
    if (dataset) {
        dataset->draw();
    }
    for (menu::Base* menu : menus) {
        menu->draw();
    }
}

void Context::refresh() {
    _unsetPreselected();
    if (dataset && dataset->getFocusedObjectIndex() >= 0 && host::window &&
        host::window->getInputMode() != host::Window::InputMode::Controller) {
        dataset->trySetFocusedObjectByIndex(-1, false);
    }
}

void Context::show() {
    setVisible(true);
    refresh();
    inputAllowed = false;
}

void Context::hide() {
    setVisible(false);
}

void Context::enable() {
    setEnabled(true);
    refresh();
    inputAllowed = false;
}

void Context::disable() {
    setEnabled(false);
    refresh();
}

void Context::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    kit::Log::debug(LogTag, kit::format("Dialog: '%s'; Button: '%d'; Context: '%s'", dialog.c_str(), button,
                                        context.c_str()));
}

void Context::onWindowSizeChanged(int width, int height, bool fullscreen) {
    if (dataset) {
        _setupDatasetAspect();
    }
    for (menu::Base* menu : menus) {
        menu->onWindowSizeChanged(width, height, fullscreen);
    }
}

void Context::onWindowFocusChanged(bool focused) {
    for (menu::Base* menu : menus) {
        menu->onWindowFocusChanged(focused);
    }
}

void Context::onInputModeChanged(host::Window::InputMode inputMode) {
    for (menu::Base* menu : menus) {
        menu->onInputModeChanged(inputMode);
    }
}

kit::String Context::getDatasetPath() const {
    return kit::Dir::joinPath(core ? core->getGuiPath() : kit::String(), rootName + ".gui");
}

menu::Base* Context::getMenu(const kit::String& name) const {
    auto found =
        std::find_if(menus.begin(), menus.end(), [&](menu::Base* menu) { return menu->getName() == name; });
    return found == menus.end() ? nullptr : *found;
}

menu::Base* Context::findModalMenu() const {
    if (modalMenu) {
        return modalMenu;
    }
    auto found = std::find_if(menus.begin(), menus.end(),
                              [](menu::Base* menu) { return menu->findModalMenu() != nullptr; });
    return found == menus.end() ? nullptr : *found;
}

gui::Object* Context::getObject(const kit::String& name) const {
    return dataset ? dataset->getObject(name) : nullptr;
}

gui::Animator* Context::getAnimator(const kit::String& name) const {
    return dataset ? dataset->getAnimator(name) : nullptr;
}

kit::String Context::getText(const kit::String& key) const {
    return dataset ? dataset->getText(key) : kit::String();
}

void Context::blockInput() {
    inputAllowed = false;
    queuedCallbacks.clear();
    if (dataset) {
        dataset->onMouseCancel(host::Key::None);
    }
    for (menu::Base* menu : menus) {
        menu->blockInput();
    }
}

void Context::waitFor(float seconds) {
    waitTime = std::max(seconds, 0.0f);
    for (menu::Base* menu : menus) {
        menu->waitFor(seconds);
    }
}

bool Context::isCallbackQueued() const {
    return !queuedCallbacks.empty() ||
           std::any_of(menus.begin(), menus.end(), [](menu::Base* menu) { return menu->isCallbackQueued(); });
}

void Context::onClick(gui::EventArgs* args) {
    queuedCallbacks.push_back(args->getBaseObject());
}

Context* Context::_findInputTarget() {
    Context* target = this;
    while (true) {
        if (target->modalMenu) {
            target = target->modalMenu;
            continue;
        }
        auto found = std::find_if(target->menus.begin(), target->menus.end(),
                                  [](menu::Base* menu) { return menu->findModalMenu() != nullptr; });
        if (found == target->menus.end()) {
            return target;
        }
        target = *found;
    }
}

// Every sub-menu of the target hears the event; the target's own data set answers it.
template <class Handler>
bool Context::_route(Handler handler) {
    Context* target = _findInputTarget();
    for (menu::Base* menu : target->menus) {
        handler(static_cast<Context*>(menu));
    }
    if (!target->inputAllowed || !target->displayUpdateAllowed || !target->dataset) {
        return false;
    }
    return handler(target, target->dataset);
}

// One routed event: on a context it goes through that context's routing, on a data set to its handler.
#define VENTREL_ROUTE(call) \
    _route([&](Context* context, gui::Dataset* data = nullptr) { return data ? data->call : context->call; })

bool Context::onMouseDown(host::Key key) {
    return VENTREL_ROUTE(onMouseDown(key));
}
bool Context::onMouseUp(host::Key key) {
    return VENTREL_ROUTE(onMouseUp(key));
}
bool Context::onMouseCancel(host::Key key) {
    return VENTREL_ROUTE(onMouseCancel(key));
}
bool Context::onMouseMove() {
    return VENTREL_ROUTE(onMouseMove());
}
bool Context::onMouseScroll(float x, float y) {
    return VENTREL_ROUTE(onMouseScroll(x, y));
}
bool Context::onKeyDown(host::Key key) {
    return VENTREL_ROUTE(onKeyDown(key));
}
bool Context::onKeyUp(host::Key key) {
    return VENTREL_ROUTE(onKeyUp(key));
}
bool Context::onChar(unsigned int charCode) {
    return VENTREL_ROUTE(onChar(charCode));
}
bool Context::onTouch(const kit::Array<quadrix::Vector2>& touches) {
    return VENTREL_ROUTE(onTouch(touches));
}
bool Context::onButtonDown(host::Button button) {
    return VENTREL_ROUTE(onButtonDown(button));
}
bool Context::onButtonUp(host::Button button) {
    return VENTREL_ROUTE(onButtonUp(button));
}

#undef VENTREL_ROUTE

void Context::update() {
    float timeDelta = sceneManager ? sceneManager->getTimeDelta() : 0.0f;
    time += timeDelta;
    if (waitTime > 0.0f) {
        waitTime = std::max(waitTime - timeDelta, 0.0f);
    }
    ++updateCount;
    if (menu::Base* modal = findModalMenu()) {
        modal->update();
        _updateDisplay();
        return;
    }
    _startUpdate();
    if (!isCallbackQueued() && inputAllowed) {
        _updateInput();
    }
    if (sceneManager && !sceneManager->getNextScene()) {
        _dispatchCallbacks();
    }
    if (updateAllowed) {
        _updateLogic();
    }
    if (displayUpdateAllowed) {
        if (viewerset) {
            viewerset->update();
        }
        if (dataset) {
            dataset->update(timeDelta);
        }
        _updateDisplay();
    }
    _finishUpdate();
}

void Context::_dispatchCallbacks() {
    gui::Object* before = preselected;
    while (inputAllowed && !queuedCallbacks.empty()) {
        gui::BaseObject* object = queuedCallbacks.front();
        queuedCallbacks.erase(queuedCallbacks.begin());
        if (_inputCallback(dynamic_cast<gui::Object*>(object))) {
            sceneManager->blockInput();
            break;
        }
    }
    if (preselected != before && preselected) {
        sceneManager->blockInput();
    } else if (preselected == before && input && input->isMouseReleased()) {
        _unsetPreselected();
    }
    queuedCallbacks.clear();
}

void Context::_startUpdate() {
    inputAllowed = true;
    updateAllowed = true;
    displayUpdateAllowed = true;
    scene::Base* scene = sceneManager ? sceneManager->getScene() : nullptr;
    bool loading = sceneManager && sceneManager->isSceneLoading();
    bool transitionBlocks =
        transitionManager && transitionManager->isRunning() && !transitionManager->isWaitForInput();
    if (!scene || !scene->isRunning() || scene->isFinished() || loading || waitTime > 0.0f ||
        transitionBlocks) {
        inputAllowed = false;
    }
    if (loading) {
        updateAllowed = false;
    }
}

bool Context::_isAnyTriggered(const kit::Array<host::Key>& keys) {
    return std::any_of(keys.begin(), keys.end(), [](host::Key key) { return input->isKeyTriggered(key); });
}

// Confirm and cancel keys click the named objects, the same path a real click takes.
void Context::_updateInput() {
    if (!input || !isVisible() || !isEnabled()) {
        return;
    }
    gui::Object* target = nullptr;
    if (!confirmObjectName.empty() && _isAnyTriggered(input->getConfirmKeys())) {
        target = getObject(confirmObjectName);
    }
    if (!target && !cancelObjectName.empty() && _isAnyTriggered(input->getCancelKeys())) {
        target = getObject(cancelObjectName);
    }
    if (target && target->isDerivedEnabled() && target->isDerivedVisible()) {
        target->triggerEvent(gui::Event::Click, 1);
    }
}

void Context::_updateLogic() {
    for (auto menu = menus.rbegin(); menu != menus.rend(); ++menu) {
        (*menu)->update();
    }
}

void Context::_setupDataset() {
    dataset = new gui::Dataset(getDatasetPath(), getName(), true);
    if (!datasetExtra.empty()) {
        dataset->setExtra(datasetExtra);
    }
    dataset->load();
    root = dataset->getRoot();
}

void Context::_setupDatasetAspect() {
    if (!datasetAspectFit || !root) {
        return;
    }
    const quadrix::Rectangle& viewport = gui::getViewport();
    if (viewport.h <= 0.0f || viewport.w <= 0.0f) {
        return;
    }
    float aspect = viewport.w / viewport.h;
    if (root->getWidth() > root->getHeight()) {
        root->setWidth(std::ceil(root->getHeight() * aspect));
    } else {
        root->setHeight(std::ceil(root->getWidth() / aspect));
    }
    root->resetPivot();
    float scale = core ? core->getScaleFactor() : 1.0f;
    if (scale < 1.0f) {
        root->setScale(scale);
    }
}

void Context::_setupViewerset() {
    viewerset = new Viewerset(getName(), root);
}

bool Context::_inputCallback(gui::Object* object) {
    if (std::find(buttonObjects.begin(), buttonObjects.end(), object) == buttonObjects.end()) {
        return false;
    }
    _playClickSound(object->getName());
    return false;
}

void Context::_playClickSound(const kit::String& objectName) {
    auto sound = buttonSounds.find(objectName);
    if (!core) {
        return;
    }
    if (sound == buttonSounds.end()) {
        core->clickSound("");
    } else if (!sound->second.empty()) {
        core->clickSound(sound->second);
    }
}

namespace {

gui::Object* preselectionMark(gui::Object* object) {
    return object ? object->findChildByName(object->getName() + "_preselected") : nullptr;
}

}  // namespace

bool Context::_setPreselected(gui::Object* object) {
    _unsetPreselected();
    preselected = object;
    gui::Object* mark = preselectionMark(object);
    if (mark) {
        mark->setVisible(true);
    }
    return mark != nullptr;
}

bool Context::_unsetPreselected() {
    gui::Object* mark = preselectionMark(preselected);
    preselected = nullptr;
    if (mark) {
        mark->setVisible(false);
    }
    return mark != nullptr;
}

void Context::_bindClick(gui::Object* object) {
    if (dynamic_cast<gui::ButtonBase*>(object)) {
        buttonObjects.push_back(object);
    }
    object->registerEvent(gui::Event::Click, new gui::MemberCallbackEvent<Context>(this, &Context::onClick));
}

bool Context::_isPreselectTap(gui::Object* object) const {
    bool touch = host::window && host::window->getInputMode() == host::Window::InputMode::Touch;
    return touch && preselected != object &&
           std::find(preselectableObjects.begin(), preselectableObjects.end(), object) !=
               preselectableObjects.end();
}

menu::Base* Context::_registerMenu(menu::Base* menu) {
    menus.push_back(menu);
    return menu;
}

}  // namespace ventrel::system
