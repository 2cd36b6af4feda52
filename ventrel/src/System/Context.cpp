#include "ventrel/system/Context.h"

#include <gui/ButtonBase.h>
#include <gui/EditBox.h>
#include <gui/Gui.h>
#include <gui/MemberCallbackEvent.h>
#include <gui/ScrollArea.h>
#include <host/Host.h>
#include <kit/Dir.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cmath>

#include "ventrel/Ventrel.h"
#include "ventrel/menu/Base.h"
#include "ventrel/menu/Dialog.h"
#include "ventrel/scene/Base.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/Input.h"
#include "ventrel/system/SceneManager.h"
#include "ventrel/system/TempState.h"
#include "ventrel/system/TransitionManager.h"
#include "ventrel/system/Viewerset.h"

namespace ventrel::system {

Context::Context(const kit::String& rootName) : rootName(rootName) {}

// The viewers first, then the sub-menus, then the data set whose objects both of them use.
Context::~Context() {
    viewerset.reset();
    menus.clear();
    dataset.reset();
}

kit::Array<menu::Base*> Context::getMenus() const {
    kit::Array<menu::Base*> view;
    for (const auto& menu : menus) {
        view.push_back(menu.get());
    }
    return view;
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
    for (const auto& menu : menus) {
        menu->setup();
    }
    _setupCallbacks();
    inputAllowed = false;
    queuedCallbacks.clear();
    _setupFocusIndex();
    refresh();
}

void Context::finish() {
    for (const auto& menu : menus) {
        menu->finish();
    }
}

void Context::draw() {
    if (dataset) {
        dataset->draw();
    }
    for (const auto& menu : menus) {
        menu->draw();
    }
}

void Context::refresh() {
    _unsetPreselected();
    if (!_isControllerMode()) {
        if (dataset && dataset->getFocusedObjectIndex() >= 0) {
            dataset->trySetFocusedObjectByIndex(-1, false);
        }
        return;
    }
    _refreshFocusIndex();
    _updateFocusScrollOffset();
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
    for (const auto& menu : menus) {
        menu->onWindowSizeChanged(width, height, fullscreen);
    }
}

void Context::onWindowFocusChanged(bool focused) {
    for (const auto& menu : menus) {
        menu->onWindowFocusChanged(focused);
    }
}

// Leaving the controller or the keyboard (pulled out, or the mouse taken up) takes the focus ring
// away; a box being typed into keeps the focus.
void Context::onInputModeChanged(host::Window::InputMode inputMode) {
    if (inputMode != host::Window::InputMode::Controller && inputMode != host::Window::InputMode::Keyboard &&
        dataset && dataset->getFocusedObject() && !dynamic_cast<gui::EditBox*>(dataset->getFocusedObject())) {
        dataset->removeFocus();
    }
    for (const auto& menu : menus) {
        menu->onInputModeChanged(inputMode);
    }
}

kit::String Context::getDatasetPath() const {
    kit::String file = rootName + ".gui";
    kit::String path = kit::Dir::joinPath(core ? core->getGuiPath() : kit::String(), file);
    if (!core || core->getGuiFallbackPath().empty() || kit::ResourceDir::exists(path)) {
        return path;
    }
    // Layouts that need no change for another layout family exist only once.
    kit::Log::debug(LogTag, "No layout '" + path + "': using the one of " + core->getGuiFallbackPath());
    return kit::Dir::joinPath(core->getGuiFallbackPath(), file);
}

kit::Array<menu::Base*> Context::getAllMenus() const {
    kit::Array<menu::Base*> all;
    for (const auto& menu : menus) {
        all.push_back(menu.get());
        kit::Array<menu::Base*> below = menu->getAllMenus();
        all.insert(all.end(), below.begin(), below.end());
    }
    return all;
}

menu::Base* Context::getMenu(const kit::String& name) const {
    auto found =
        std::find_if(menus.begin(), menus.end(), [&](const auto& menu) { return menu->getName() == name; });
    return found == menus.end() ? nullptr : found->get();
}

menu::Base* Context::findModalMenu() const {
    if (modalMenu) {
        return modalMenu;
    }
    auto found = std::find_if(menus.begin(), menus.end(),
                              [](const auto& menu) { return menu->findModalMenu() != nullptr; });
    return found == menus.end() ? nullptr : found->get();
}

gui::Object* Context::getObject(const kit::String& name) const {
    return dataset && dataset->hasObject(name) ? dataset->getObject(name) : nullptr;
}

gui::Animator* Context::getAnimator(const kit::String& name) const {
    return dataset && dataset->hasAnimator(name) ? dataset->getAnimator(name) : nullptr;
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
    for (const auto& menu : menus) {
        menu->blockInput();
    }
}

void Context::waitFor(float seconds) {
    waitTime = std::max(seconds, 0.0f);
    for (const auto& menu : menus) {
        menu->waitFor(seconds);
    }
}

bool Context::isCallbackQueued() const {
    return !queuedCallbacks.empty() ||
           std::any_of(menus.begin(), menus.end(), [](const auto& menu) { return menu->isCallbackQueued(); });
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
                                  [](const auto& menu) { return menu->findModalMenu() != nullptr; });
        if (found == target->menus.end()) {
            return target;
        }
        target = found->get();
    }
}

// Every sub-menu of the target hears the event; the target's own data set answers it.
template <class Handler>
bool Context::_route(Handler handler) {
    Context* target = _findInputTarget();
    for (const auto& menu : target->menus) {
        handler(static_cast<Context*>(menu.get()));
    }
    if (!target->inputAllowed || !target->displayUpdateAllowed || !target->dataset) {
        return false;
    }
    return handler(target, target->dataset.get());
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
    return _route([&](Context* context, gui::Dataset* data = nullptr) {
        if (!data) {
            return context->onKeyDown(key);
        }
        context->keysTyped = context->keysTyped || dynamic_cast<gui::EditBox*>(data->getFocusedObject());
        return data->onKeyDown(key);
    });
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
        keysTyped = false;
        return;
    }
    _startUpdate();
    if (!isCallbackQueued() && inputAllowed) {
        _updateInput();
        if (!isCallbackQueued() && inputAllowed && _isControllerMode()) {
            _updateController();
        }
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
    keysTyped = false;
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

bool Context::_isAnyTriggered(const kit::Array<host::Button>& buttons) {
    return std::any_of(buttons.begin(), buttons.end(),
                       [](host::Button button) { return input->isButtonTriggered(button); });
}

// The controller and the keyboard keep and show the focus; the mouse and touch have none.
bool Context::_isControllerMode() {
    if (!host::window) {
        return false;
    }
    host::Window::InputMode mode = host::window->getInputMode();
    return mode == host::Window::InputMode::Controller || mode == host::Window::InputMode::Keyboard;
}

bool Context::_hasFocusedButton() const {
    Context* holder = _focusHolder();
    gui::Object* focused = holder ? holder->dataset->getFocusedObject() : nullptr;
    return focused && dynamic_cast<gui::ButtonBase*>(focused) && focused->isDerivedEnabled() &&
           focused->isDerivedVisible();
}

// The focused object, focused again by its index first so that a focus lost to a hidden object moves on.
gui::Object* Context::_findConfirmButtonTarget() {
    gui::Object* focused = dataset->getFocusedObject();
    if (focused && focused->getFocusIndex() >= 0) {
        dataset->trySetFocusedObjectByIndex(focused->getFocusIndex(), true);
        focused = dataset->getFocusedObject();
    }
    return focused;
}

bool Context::_isAnyTriggered(const kit::Array<host::Key>& keys) {
    return std::any_of(keys.begin(), keys.end(), [](host::Key key) { return input->isKeyTriggered(key); });
}

bool Context::isTyping() const {
    return keysTyped || (dataset && dynamic_cast<gui::EditBox*>(dataset->getFocusedObject()));
}

// Confirm and cancel keys click the named objects, the same path a real click takes; while a box is
// typed into, the keys are its own.
void Context::_updateInput() {
    if (!input || !isVisible() || !isEnabled()) {
        return;
    }
    gui::Object* target = nullptr;
    bool typing = isTyping();
    // A focused button takes the confirm keys itself (its data set presses it).
    if (!typing && !confirmObjectName.empty() && !_hasFocusedButton() &&
        _isAnyTriggered(input->getConfirmKeys())) {
        target = getObject(confirmObjectName);
    }
    if (!target && !typing && !cancelObjectName.empty() && _isAnyTriggered(input->getCancelKeys())) {
        target = getObject(cancelObjectName);
    }
    if (!target && dataset && _isAnyTriggered(input->getConfirmButtons())) {
        target = _findConfirmButtonTarget();
    }
    if (!target && !cancelObjectName.empty() && _isAnyTriggered(input->getCancelButtons())) {
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
    dataset = std::make_unique<gui::Dataset>(getDatasetPath(), getName(), true);
    if (!datasetExtra.empty()) {
        dataset->setExtra(datasetExtra);
    }
    dataset->load();
    root = dataset->getRoot();
    // Checked before any subclass looks its objects up, so a broken layout is named first.
    _checkContract();
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
    // A layout made for a taller screen (a normal one standing in where the small-screen folder has
    // none) would run off the bottom: it is shrunk to the viewport's height, about its middle.
    if (root->getHeight() > viewport.h) {
        root->setPosition(quadrix::Vector2(viewport.x + (viewport.w - root->getWidth()) * 0.5f,
                                           viewport.y + (viewport.h - root->getHeight()) * 0.5f));
        scale = std::min(scale, viewport.h / root->getHeight());
    }
    if (scale < 1.0f) {
        root->setScale(scale);
    }
}

void Context::_setupViewerset() {
    viewerset = std::make_unique<Viewerset>(getName(), root);
}

// A bound click runs its operation and counts as handled; in touch mode the first tap on a
// preselectable object only preselects it. Buttons play their click sound either way.
bool Context::_inputCallback(gui::Object* object) {
    auto handler = handlers.find(object);
    bool handled = false;
    if (handler == handlers.end()) {
        _unsetPreselected();
    } else if (_isPreselectTap(object)) {
        _setPreselected(object);
    } else {
        if (handler->second(object)) {
            _unsetPreselected();
        }
        handled = true;
    }
    if (std::find(buttonObjects.begin(), buttonObjects.end(), object) != buttonObjects.end()) {
        _playClickSound(object->getName());
    }
    return handled;
}

void Context::_bindHandler(gui::Object* object, ClickHandler handler) {
    if (!object) {
        return;
    }
    if (handlers.count(object) == 0) {
        _bindClick(object);
    }
    handlers[object] = std::move(handler);
}

void Context::_checkContract() {
    contractErrors.clear();
    if (!dataset) {
        return;
    }
    if (!dataset->isLoaded()) {
        contractErrors.push_back(dataset->getError());
        return;
    }
    contractErrors = getContract().check(*dataset);
    for (const kit::String& error : contractErrors) {
        kit::Log::error(LogTag, error);
    }
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

}  // namespace ventrel::system

namespace ventrel::system {

void Context::setAutoFocusMode(int count, int columns, bool wrap) {
    focusGrid = FocusGrid(count, columns, wrap);
}

bool Context::setFocusIndex(int index) {
    inputAllowed = false;
    queuedCallbacks.clear();
    if (dataset) {
        dataset->onMouseCancel(host::Key::None);
    }
    for (const auto& menu : menus) {
        menu->blockInput();
    }
    if (index >= 0 && core) {
        core->clickSound("");
    }
    if (index < 0 || !dataset || !dataset->trySetFocusedObjectByIndex(index, true)) {
        return false;
    }
    _refreshFocusIndex();
    refresh();
    return true;
}

// The stored value "<root name>;<index>" carries a focus across a screen switch; only the screen it
// names takes it.
void Context::_setupFocusIndex() {
    if (!tempState) {
        return;
    }
    if (!_isControllerMode()) {
        tempState->setNextFocusIndex("");
        return;
    }
    kit::Array<kit::String> parts = kit::split(tempState->getNextFocusIndex(), ";");
    if (parts.size() != 2) {
        tempState->setNextFocusIndex("");
        return;
    }
    if (parts[0] != rootName) {
        return;
    }
    if (dataset) {
        dataset->trySetFocusedObjectByIndex(kit::toInt(parts[1]), true);
    }
    tempState->setNextFocusIndex("");
}

void Context::_refreshFocusIndex() {
    if (!_isControllerMode() || !dataset) {
        return;
    }
    gui::Object* focused = dataset->getFocusedObject();
    if (focused && focused->isDerivedEnabled() && focused->isDerivedVisible()) {
        return;
    }
    if (focused && focused->getFocusIndex() >= 0 &&
        dataset->trySetFocusedObjectByIndex(focused->getFocusIndex(), true)) {
        return;
    }
    // With the keyboard a screen takes the focus at the first arrow key, so that Space and Enter keep
    // their meaning on it until then; a question is answered by keys, so it opens with its first
    // answer focused.
    bool keyboard = host::window->getInputMode() == host::Window::InputMode::Keyboard;
    if (keyboard && !focused && !dynamic_cast<const menu::Dialog*>(this)) {
        return;
    }
    _fixFocusIndex();
}

// Without a focus the first candidate takes it; otherwise the candidate nearest to the lost index.
bool Context::_fixFocusIndex() {
    if (!_isControllerMode() || !dataset) {
        return false;
    }
    if (Context* holder = _focusHolder(); holder && holder != this) {
        return false;
    }
    gui::Object* focused = dataset->getFocusedObject();
    int current = focused ? focused->getFocusIndex() : -1;
    kit::Array<int> candidates = dataset->findPossibleFocusIndices(true);
    if (current < 0) {
        // Keys and pad start on the first button: a box focused by itself would take the arrows, and a
        // pad cannot type into it.
        auto first = std::find_if(candidates.begin(), candidates.end(), [this](int index) {
            return !dynamic_cast<gui::EditBox*>(dataset->findFocusable(index, true));
        });
        if (first != candidates.end() && dataset->trySetFocusedObjectByIndex(*first, false)) {
            return true;
        }
        kit::Array<int> all = dataset->findPossibleFocusIndices(false);
        return !all.empty() && dataset->trySetFocusedObjectByIndex(all.front(), false);
    }
    if (candidates.empty()) {
        return false;
    }
    int choice = candidates.front();
    for (int candidate : candidates) {
        if (std::abs(current - candidate) < std::abs(current - choice)) {
            choice = candidate;
        }
    }
    return dataset->trySetFocusedObjectByIndex(choice, false);
}

// Keeps the focused object inside the nearest dragging scroll area around it.
void Context::_updateFocusScrollOffset() {
    if (!_isControllerMode() || !dataset || !dataset->getFocusedObject()) {
        return;
    }
    gui::Object* focused = dataset->getFocusedObject();
    gui::Object* content = focused;
    for (gui::Object* ancestor = focused->getParent(); ancestor; ancestor = ancestor->getParent()) {
        auto* area = dynamic_cast<gui::ScrollArea*>(ancestor);
        if (!area || !area->isDrag()) {
            content = ancestor;
            continue;
        }
        gui::Object* frame = area->getParent() ? area->getParent() : area;
        float w = frame->getWidth();
        float h = frame->getHeight();
        quadrix::Rectangle shown = focused->getBoundingRect(area);
        if (shown.x >= 0.0f && shown.y >= 0.0f && shown.x + shown.w <= w && shown.y + shown.h <= h) {
            return;
        }
        quadrix::Rectangle r = focused->getBoundingRect(content);
        quadrix::Vector2 offset = area->getScrollOffset();
        if (r.x + r.w - w > offset.x) {
            offset.x = r.x + r.w - w;
        } else if (offset.x > r.x) {
            offset.x = r.x;
        }
        if (r.y + r.h - h > offset.y) {
            offset.y = r.y + r.h - h;
        } else if (offset.y > r.y) {
            offset.y = r.y;
        }
        area->setScrollOffset(offset);
        return;
    }
}

void Context::_takeGroupFocus() {
    if (!_isControllerMode() || !focusGrid.isActive() || !dataset) {
        return;
    }
    Context* root = this;
    while (root->owner && !dynamic_cast<const menu::Dialog*>(root)) {
        root = root->owner;
    }
    kit::Array<Context*> tree{root};
    for (menu::Base* menu : root->getAllMenus()) {
        tree.push_back(menu);
    }
    for (Context* member : tree) {
        if (member != this && member->dataset && !dynamic_cast<menu::Dialog*>(member)) {
            member->dataset->removeFocus();
        }
    }
    _fixFocusIndex();
}

kit::Array<Context*> Context::_focusGroup(bool shownOnly) const {
    Context* root = const_cast<Context*>(this);
    while (root->owner && !dynamic_cast<const menu::Dialog*>(root)) {
        root = root->owner;
    }
    // Over a modal menu, the group is that menu and its own.
    root = root->_findInputTarget();
    kit::Array<Context*> group{root};
    if (dynamic_cast<const menu::Dialog*>(root)) {
        return group;
    }
    for (menu::Base* menu : root->getAllMenus()) {
        if ((menu->isVisible() || !shownOnly) && !dynamic_cast<menu::Dialog*>(menu)) {
            group.push_back(menu);
        }
    }
    return group;
}

Context* Context::_focusHolder() const {
    // A screen without a focus grid cannot pass its focus on, so it holds none for the group.
    for (Context* member : _focusGroup(false)) {
        if (member->focusGrid.isActive() && member->dataset && member->dataset->getFocusedObject()) {
            return member;
        }
    }
    return nullptr;
}

// The nearest button ahead in the direction on any screen of the group, straight ahead counting more
// than off to the side. A button of another screen takes the focus over from this one; one of this
// screen is taken only when the grid has nowhere to go (`withinToo`).
bool Context::_handOffFocus(host::Button button, bool withinToo) {
    gui::Object* from = dataset->getFocusedObject();
    if (!from) {
        return false;
    }
    const FocusGrid::Way way = _wayOf(button);
    const quadrix::Vector2 start = from->getBoundingRect().getCenter();
    bool pad = host::window->getInputMode() == host::Window::InputMode::Controller;
    Context* best = nullptr;
    int bestIndex = -1;
    float bestDistance = 0.0f;
    for (Context* member : _focusGroup(true)) {
        if (!member->dataset || !member->focusGrid.isActive()) {
            continue;
        }
        for (int index : member->dataset->findPossibleFocusIndices(true)) {
            gui::Object* object = member->dataset->findFocusable(index, true);
            if (!object || object == from || (pad && dynamic_cast<gui::EditBox*>(object))) {
                continue;
            }
            std::optional<float> distance =
                FocusGrid::handOffDistance(start, object->getBoundingRect().getCenter(), way);
            if (!distance || (best && *distance >= bestDistance)) {
                continue;
            }
            best = member;
            bestIndex = index;
            bestDistance = *distance;
        }
    }
    if (!best || (best == this && !withinToo)) {
        return false;
    }
    if (best != this) {
        dataset->removeFocus();
        best->focusArrivedFrame = sceneManager ? sceneManager->getFrameCount() : -1;
    }
    best->setFocusIndex(bestIndex);
    return true;
}

// The arrows and the pad move the focus of the screen that has them: the open question when there is
// one, so that the screen under it keeps its focus to itself.
bool Context::_hasDirections() const {
    if (!sceneManager) {
        return true;
    }
    for (const menu::Dialog* dialog : sceneManager->getDialogs()) {
        if (dialog->isVisible()) {
            return dialog == this;
        }
    }
    return true;
}

void Context::_updateController() {
    if (!focusGrid.isActive() || !input || !dataset || !_hasDirections()) {
        return;
    }
    Context* holder = _focusHolder();
    if ((holder && holder != this) || (sceneManager && focusArrivedFrame == sceneManager->getFrameCount())) {
        return;
    }
    // The arrow keys move as the pad does; in a box being typed into, Left and Right move the caret,
    // and leave the box once the caret stands at that end.
    const std::pair<host::Button, host::Key> directions[] = {{host::Button::DPadLeft, host::Key::Left},
                                                             {host::Button::DPadRight, host::Key::Right},
                                                             {host::Button::DPadUp, host::Key::Up},
                                                             {host::Button::DPadDown, host::Key::Down}};
    bool typing = isTyping();
    auto* box = dynamic_cast<gui::EditBox*>(dataset->getFocusedObject());
    int caretBefore = caretSeen;
    caretSeen = box ? box->getCaret() : -1;
    for (const auto& [button, key] : directions) {
        bool atEnd = box && caretSeen == caretBefore &&
                     (key == host::Key::Left ? caretSeen == 0 : caretSeen == _characterCount(box->getText()));
        bool caret = typing && (key == host::Key::Left || key == host::Key::Right) && !atEnd;
        if (!input->isButtonTriggered(button) && (caret || !input->isKeyTriggered(key))) {
            continue;
        }
        int focus = dataset->getFocusedObjectIndex();
        if (focus < 0) {
            _fixFocusIndex();
            return;
        }
        if (_moveFocus(button, focus)) {
            return;
        }
    }
}

// One step of grid navigation; false when the direction finds nothing to move to.
bool Context::_moveFocus(host::Button button, int focus) {
    kit::Array<int> candidates = dataset->findPossibleFocusIndices(true);
    // A pad passes over the text boxes: it has no keys to type with.
    if (host::window->getInputMode() == host::Window::InputMode::Controller) {
        std::erase_if(candidates, [this, focus](int index) {
            return index != focus && dynamic_cast<gui::EditBox*>(dataset->findFocusable(index, true));
        });
    }
    int target = focusGrid.step(focus, _wayOf(button), candidates);
    if (target < 0 || target == focus) {
        return _handOffFocus(button, true);
    }
    // A step along the grid that does not go the way pressed (the next entry of a menu drawn as a row)
    // gives way to a nearer button of another screen of the group that lies that way.
    const gui::Object* from = dataset->getFocusedObject();
    const gui::Object* to = dataset->findFocusable(target, true);
    if (from && to &&
        !FocusGrid::liesAhead(from->getBoundingRect().getCenter(), to->getBoundingRect().getCenter(),
                              _wayOf(button)) &&
        _handOffFocus(button, false)) {
        return true;
    }
    setFocusIndex(target);
    return true;
}

int Context::_characterCount(const kit::String& text) {
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

FocusGrid::Way Context::_wayOf(host::Button button) {
    if (button == host::Button::DPadLeft) {
        return FocusGrid::Way::Left;
    }
    if (button == host::Button::DPadRight) {
        return FocusGrid::Way::Right;
    }
    return button == host::Button::DPadUp ? FocusGrid::Way::Up : FocusGrid::Way::Down;
}

}  // namespace ventrel::system
