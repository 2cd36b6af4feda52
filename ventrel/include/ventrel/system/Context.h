#pragma once

#include <gui/Animator.h>
#include <gui/Dataset.h>
#include <gui/EventArgs.h>
#include <gui/Object.h>
#include <host/Button.h>
#include <host/Key.h>
#include <host/Window.h>
#include <kit/Types.h>
#include <quadrix/Vector2.h>

#include <functional>
#include <memory>
#include <type_traits>

#include "ventrel/system/Contract.h"
#include "ventrel/system/FocusGrid.h"

namespace ventrel::menu {
class Base;
}

namespace ventrel::system {

class Viewerset;

// The base of every screen: one GUI data set with its root object, a viewer set and a tree of
// sub-menus, driven once per frame through protected hooks that screens override.
class Context {
public:
    explicit Context(const kit::String& rootName);
    virtual ~Context();
    // A context owns its data set, menus and viewer set.
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    virtual bool isVisible() const;
    virtual void setVisible(bool visible);
    virtual bool isEnabled() const;
    virtual void setEnabled(bool enabled);
    virtual bool isAnimated() const;
    virtual bool isWaitingAnimation() const;
    virtual void processEvents();
    virtual void setup();
    virtual void finish();
    virtual void update();
    virtual void draw();
    virtual void refresh();
    virtual void show();
    virtual void hide();
    virtual void enable();
    virtual void disable();
    virtual void dialogResult(const kit::String& dialog, int button, const kit::String& context);
    virtual void onWindowSizeChanged(int width, int height, bool fullscreen);
    virtual void onWindowFocusChanged(bool focused);
    virtual void onInputModeChanged(host::Window::InputMode inputMode);

    bool isInputAllowed() const { return inputAllowed; }
    void setInputAllowed(bool allowed) { inputAllowed = allowed; }
    bool isUpdateAllowed() const { return updateAllowed; }
    void setUpdateAllowed(bool allowed) { updateAllowed = allowed; }
    bool isDisplayUpdateAllowed() const { return displayUpdateAllowed; }
    void setDisplayUpdateAllowed(bool allowed) { displayUpdateAllowed = allowed; }
    kit::String getName() const { return customName.empty() ? rootName : customName; }
    const kit::String& getRootName() const { return rootName; }
    const kit::String& getCustomName() const { return customName; }
    void setCustomName(const kit::String& name) { customName = name; }
    kit::String getDatasetPath() const;
    gui::Dataset* getDataset() const { return dataset.get(); }
    gui::Object* getRoot() const { return root; }
    Viewerset* getViewerset() const { return viewerset.get(); }
    kit::Array<menu::Base*> getMenus() const;
    // The whole tree of sub-menus, each followed by its descendants.
    kit::Array<menu::Base*> getAllMenus() const;
    menu::Base* getMenu(const kit::String& name) const;
    menu::Base* getModalMenu() const { return modalMenu; }
    void setModalMenu(menu::Base* menu) { modalMenu = menu; }
    menu::Base* findModalMenu() const;
    Context* getOwner() const { return owner; }
    // Null when the data set has no such object (its contract reports what is missing).
    gui::Object* getObject(const kit::String& name) const;
    gui::Animator* getAnimator(const kit::String& name) const;
    // The objects the screen's code looks up (its contract) that the loaded data set lacks or has of
    // another kind, one line each; empty when the layout keeps the contract.
    const kit::Array<kit::String>& getContractErrors() const { return contractErrors; }
    // What the screen's code looks up in its data set.
    virtual Contract getContract() const { return {}; }
    kit::String getText(const kit::String& key) const;

    // Whether an edit box of this screen has the keyboard, or took a key this frame (the Enter that
    // ends the typing belongs to the box, not to the screen's confirm button).
    bool isTyping() const;
    // Refuses input for the rest of the frame and drops queued clicks, on the whole menu tree.
    void blockInput();
    void waitFor(float seconds);
    float getWaitTime() const { return waitTime; }
    bool isCallbackQueued() const;
    // Whether a click on the object runs one of the screen's operations (see bind).
    bool isBound(const gui::Object* object) const { return handlers.count(object) > 0; }
    // Queues the clicked object; handlers run once per frame while input is allowed.
    void onClick(gui::EventArgs* args);

    // Raw input from the scene manager, routed to the top-most modal menu; true when consumed.
    bool onMouseDown(host::Key key);
    bool onMouseUp(host::Key key);
    bool onMouseCancel(host::Key key);
    bool onMouseMove();
    bool onMouseScroll(float x, float y);
    bool onKeyDown(host::Key key);
    bool onKeyUp(host::Key key);
    bool onChar(unsigned int charCode);
    bool onTouch(const kit::Array<quadrix::Vector2>& touches);
    bool onButtonDown(host::Button button);
    bool onButtonUp(host::Button button);
    bool matchPreselectedObject(const gui::Object* object) const {
        return preselected && preselected == object;
    }

    // Moves the keyboard and controller focus; false (focus unchanged) for a negative or unusable index.
    bool setFocusIndex(int index);
    // Controller navigation over `count` focus slots laid out in `columns`; `wrap` cycles instead of
    // stopping at the grid's edges.
    void setAutoFocusMode(int count, int columns, bool wrap);
    const FocusGrid& getFocusGrid() const { return focusGrid; }

protected:
    bool inputAllowed = false;
    bool updateAllowed = true;
    bool displayUpdateAllowed = true;
    kit::String rootName;
    kit::String customName;
    kit::String datasetExtra;
    std::unique_ptr<gui::Dataset> dataset;
    gui::Object* root = nullptr;
    std::unique_ptr<Viewerset> viewerset;
    kit::Array<gui::BaseObject*> queuedCallbacks;
    kit::Array<gui::BaseObject*> buttonObjects;
    kit::Map<kit::String, kit::String> buttonSounds;
    // Deleted after the viewer set and before the data set (see the destructor).
    kit::Array<std::unique_ptr<menu::Base>> menus;
    menu::Base* modalMenu = nullptr;
    Context* owner = nullptr;
    kit::Array<gui::Object*> preselectableObjects;
    gui::Object* preselected = nullptr;
    float time = 0.0f;
    float waitTime = 0.0f;
    int updateCount = 0;
    bool datasetAspectFit = true;
    kit::String confirmObjectName;
    kit::String cancelObjectName;
    bool keysTyped = false;
    // The frame in which the focus arrived from another screen of the group: that press is spent.
    int focusArrivedFrame = -1;
    // Where the caret of the focused box stood at the last look, to tell a key that moved it from one
    // that found it at the end already.
    int caretSeen = -1;
    FocusGrid focusGrid;

    virtual void _setupMenus() {}
    virtual void _setupDataset();
    virtual void _setupDatasetAspect();
    virtual void _setupViewerset();
    virtual void _setupCallbacks() {}
    virtual void _setupFocusIndex();
    virtual void _refreshFocusIndex();
    virtual void _updateFocusScrollOffset();
    virtual bool _fixFocusIndex();
    // A menu that comes into view takes the focus from the screen under it.
    void _takeGroupFocus();
    virtual void _startUpdate();
    virtual void _finishUpdate() {}
    virtual void _updateInput();
    virtual void _updateController();
    virtual void _updateLogic();
    virtual void _updateDisplay() {}
    virtual bool _inputCallback(gui::Object* object);

    // Takes the sub-menu over and answers it.
    template <class Menu>
    Menu* _registerMenu(std::unique_ptr<Menu> menu);
    // Binds a click on the object to a member operation of the screen, `bool op(gui::Object*)` or
    // `void op()`: the click is queued, and dispatched once per frame while input is allowed; a bound
    // click counts as handled. A missing object binds nothing (the contract reports it).
    template <class Owner, class Operation>
    void bind(const kit::String& name, Operation Owner::*operation);
    template <class Owner, class Operation>
    void bind(gui::Object* object, Operation Owner::*operation);
    // The click sound mapped to the object's name, the default one when unmapped; an empty mapping
    // is silence.
    void _playClickSound(const kit::String& objectName);

    // Touch mode: the first tap on a preselectable object only shows its "_preselected" child.
    bool _setPreselected(gui::Object* object);
    bool _unsetPreselected();

private:
    using ClickHandler = std::function<bool(gui::Object*)>;

    kit::Map<const gui::Object*, ClickHandler> handlers;
    kit::Array<kit::String> contractErrors;

    void _bindHandler(gui::Object* object, ClickHandler handler);
    void _checkContract();
    void _bindClick(gui::Object* object);
    bool _isPreselectTap(gui::Object* object) const;
    Context* _findInputTarget();
    template <class Handler>
    bool _route(Handler handler);
    void _dispatchCallbacks();
    static bool _isAnyTriggered(const kit::Array<host::Key>& keys);
    static bool _isAnyTriggered(const kit::Array<host::Button>& buttons);
    static bool _isControllerMode();
    bool _hasFocusedButton() const;
    bool _hasDirections() const;
    // The scene and the menus over it share one focus, so that one button answers the keys and the
    // pad; a question keeps its own. `shownOnly` leaves out menus not in view (a menu still fading in
    // may hold the focus already).
    kit::Array<Context*> _focusGroup(bool shownOnly) const;
    // The member of the group that has the focus; null for none.
    Context* _focusHolder() const;
    // Moves the focus to the nearest button in that direction on any member of the group; to one of
    // this screen only `withinToo`.
    bool _handOffFocus(host::Button button, bool withinToo);
    static FocusGrid::Way _wayOf(host::Button button);
    // Characters (code points) of a UTF-8 text.
    static int _characterCount(const kit::String& text);
    gui::Object* _findConfirmButtonTarget();
    bool _moveFocus(host::Button button, int focus);
};

template <class Menu>
Menu* Context::_registerMenu(std::unique_ptr<Menu> menu) {
    Menu* registered = menu.get();
    menus.push_back(std::move(menu));
    return registered;
}

template <class Owner, class Operation>
void Context::bind(const kit::String& name, Operation Owner::*operation) {
    bind(getObject(name), operation);
}

template <class Owner, class Operation>
void Context::bind(gui::Object* object, Operation Owner::*operation) {
    static_assert(std::is_base_of_v<Context, Owner>, "bind takes operations of the screen itself");
    auto* owner = static_cast<Owner*>(this);
    if constexpr (std::is_invocable_r_v<bool, Operation Owner::*, Owner*, gui::Object*>) {
        _bindHandler(object,
                     [owner, operation](gui::Object* clicked) { return (owner->*operation)(clicked); });
    } else {
        static_assert(std::is_invocable_v<Operation Owner::*, Owner*>,
                      "a bound operation is bool op(gui::Object*) or void op()");
        _bindHandler(object, [owner, operation](gui::Object*) {
            (owner->*operation)();
            return true;
        });
    }
}

}  // namespace ventrel::system
