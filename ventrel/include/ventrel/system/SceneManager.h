#pragma once

#include <gui/Dataset.h>
#include <host/Button.h>
#include <host/Key.h>
#include <host/SystemDelegate.h>
#include <kit/Thread.h>
#include <kit/Types.h>
#include <quadrix/Vector2.h>

#include <atomic>
#include <functional>
#include <memory>

#include "ventrel/menu/Dialog.h"
#include "ventrel/menu/Overlay.h"
#include "ventrel/menu/Transition.h"
#include "ventrel/scene/Base.h"
#include "ventrel/system/FrameClock.h"
#include "ventrel/system/NamedRegistry.h"
#include "ventrel/system/Playlists.h"

namespace ventrel::system {

// Owns what is on screen: the current scene and the one being switched to, the dialogs and overlays,
// the transition menu, the GUI data sets and the music playlists. They are deleted in a fixed order
// (see the destructor), not in the reverse order of the members. Drives them once per frame, routes
// the input object's events to them and receives the window's system events.
class SceneManager : public host::SystemDelegate {
public:
    using SceneFactory = std::function<std::unique_ptr<scene::Base>()>;

    explicit SceneManager(std::unique_ptr<menu::Transition> transition = nullptr,
                          bool useAsyncLoading = false);
    ~SceneManager() override;
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

    bool onQuit(bool canCancel) override;
    void onWindowSizeChanged(int width, int height, bool fullscreen) override;
    void onWindowFocusChanged(bool focused) override;
    void onInputModeChanged(host::Window::InputMode inputMode) override;
    void onVirtualKeyboardChanged(bool visible, float heightRatio) override;
    void onLowMemoryWarning() override;

    bool isRunning() const { return running; }
    bool isActive() const { return active; }
    bool isFinished() const { return finished; }
    // The exit request: the current scene finishes and the frame loop ends.
    void setFinished() { finished = true; }
    bool isUseAsyncLoading() const { return useAsyncLoading; }
    float getTimeDelta() const { return clock.getStep(); }
    void setTimeDelta(float value) { clock.setStep(value); }
    float getTime() const { return clock.getTime(); }
    int getFrameCount() const { return clock.getFrameCount(); }
    scene::Base* getScene() const { return scene.get(); }
    scene::Base* getNextScene() const { return nextScene.get(); }
    bool hasNextScene() const { return nextScene != nullptr; }
    const kit::String& getCurrentSceneName() const { return currentSceneName; }
    const kit::String& getPreviousSceneName() const { return previousSceneName; }
    kit::Array<gui::Dataset*> getDatasets() const { return datasets.view(); }
    kit::Array<menu::Overlay*> getOverlays() const { return overlays.view(); }
    kit::Array<menu::Dialog*> getDialogs() const { return dialogs.view(); }
    menu::Transition* getTransition() const { return transition.get(); }

    void registerSceneFactory(const kit::String& name, const SceneFactory& factory);
    // The names of every registered scene, in name order.
    kit::Array<kit::String> getSceneNames() const;
    // Throws kit::ResourceNotExistsException for a name without a factory.
    void switchScene(const kit::String& name);
    void switchPreviousScene();
    void restartScene();
    bool isSceneLoading() const;
    // Clamps the step to 0-0.2 s (the pre-loading phase).
    void advanceTime(float step);

    // Registering hands the object over and answers it. A second one of the same name is a
    // programming error: kit::DuplicateResourceException.
    gui::Dataset* registerDataset(std::unique_ptr<gui::Dataset> dataset);
    menu::Overlay* registerOverlay(std::unique_ptr<menu::Overlay> overlay);
    menu::Dialog* registerDialog(std::unique_ptr<menu::Dialog> dialog);
    // An unregistered name is a programming error: kit::ResourceNotExistsException. Never null.
    gui::Dataset* findDataset(const kit::String& name) const;
    menu::Overlay* findOverlay(const kit::String& name) const;
    menu::Dialog* findDialog(const kit::String& name) const;
    void activateDataset(const kit::String& name, bool loadNow);
    void deactivateDataset(const kit::String& name);
    menu::Overlay* showOverlay(const kit::String& name);
    menu::Overlay* hideOverlay(const kit::String& name);
    // The topmost visible always-modal overlay, which takes all input.
    menu::Overlay* getActiveOverlay() const;
    bool hasActiveOverlay() const { return getActiveOverlay() != nullptr; }
    menu::Dialog* showDialog(const kit::String& name, Context* caller, Context* owner,
                             const kit::Array<kit::String>& texts, const kit::String& context);
    menu::Dialog* showDialog(const kit::String& name, Context* caller, Context* owner,
                             const kit::String& text, const kit::String& context);

    Playlists& getPlaylists() { return playlists; }
    // Fades the music and every sound out.
    void stopAudio();

    void update(float timeDelta);
    void processEvents();
    void blockInput();
    bool trySceneRefresh();

    void onMouseDown(host::Key key);
    void onMouseUp(host::Key key);
    void onMouseCancel(host::Key key);
    void onMouseMove();
    void onMouseScroll(float x, float y);
    void onKeyDown(host::Key key);
    void onKeyUp(host::Key key);
    void onChar(unsigned int charCode);
    void onTouch(const kit::Array<quadrix::Vector2>& touches);
    void onButtonDown(host::Button button);
    void onButtonUp(host::Button button);

protected:
    bool running = false;
    bool active = true;
    bool finished = false;
    bool useAsyncLoading;
    std::atomic<bool> sceneLoadPending{true};
    std::atomic<bool> sceneSetupInProgress{false};
    FrameClock clock;
    std::unique_ptr<scene::Base> scene;
    std::unique_ptr<scene::Base> nextScene;
    kit::String currentSceneName;
    kit::String previousSceneName;
    kit::Map<kit::String, SceneFactory> sceneFactories;
    NamedRegistry<gui::Dataset> datasets{"dataset", "ventrel"};
    kit::Array<kit::String> activeDatasets;
    NamedRegistry<menu::Overlay> overlays{"overlay", "ventrel"};
    NamedRegistry<menu::Dialog> dialogs{"dialog", "ventrel"};
    std::unique_ptr<menu::Transition> transition;
    Playlists playlists;
    kit::Thread loaderThread;

    void _setup();
    void _setupScene();
    void _update();
    void _draw();
    static void _threadLoad(kit::Thread* thread);

private:
    kit::String plainTitle;

    kit::Array<Context*> _getControls() const;
    void _applyDebugKeys(float& step);
    void _updateDebugTitle();
    bool _isAnyMenuAnimating() const;
    bool _handleSwitch();
    void _drawScaleBars();
    void _drawFrameRate();
    template <class Event>
    void _route(Event event);
    template <class Function>
    void _guarded(Function function);
};

}  // namespace ventrel::system
