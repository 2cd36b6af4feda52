#pragma once

#include <host/UpdateDelegate.h>
#include <host/Window.h>
#include <kit/Exception.h>
#include <kit/Thread.h>
#include <kit/Types.h>
#include <kit/Version.h>

#include <atomic>
#include <memory>

namespace ventrel::menu {
class Base;
class Transition;
}  // namespace ventrel::menu

namespace ventrel::system {

// The engine's frame delegate and the home of the game's identity and per-user folder: runs the
// first load behind a pre-loading screen, then hands every frame to the scene manager and the audio
// manager. The game derives its own core from it.
class Core : public host::UpdateDelegate {
public:
    Core(const kit::String& guiPath, const kit::String& developerName, const kit::String& gameName,
         kit::Version gameVersion);
    ~Core() override;
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    bool onUpdate(float timeDelta) override;
    virtual float getScaleFactor() const { return 1.0f; }
    virtual void start();
    virtual void finish() {}
    // The exit request: the current scene finishes and the frame loop ends.
    virtual void exitGame();
    virtual void onQuit(bool) {}
    virtual void onWindowSizeChanged(int, int, bool) {}
    virtual void onWindowFocusChanged(bool) {}
    virtual void onInputModeChanged(host::Window::InputMode) {}
    virtual void onVirtualKeyboardChanged(bool, float) {}
    virtual void onLowMemoryWarning() {}

    bool isRunning() const;
    bool isLoaded() const { return loaded; }
    bool isHoverEffectEnabled() const;
    void tryRenderPreLoading(bool present);
    void tryDestroyPreLoading();
    menu::Base* getPreLoading() const { return preLoading.get(); }
    // An empty name plays the default sound; an empty default plays nothing.
    void clickSound(const kit::String& name);
    void buzzerSound(const kit::String& name);
    // Reports an exception that escaped the game: logs it, detaches the window's delegates and, as
    // configured, shows a message box and ends the process.
    void logCrash(const kit::Exception& e);

    const kit::String& getSystemPath() const { return systemPath; }
    const kit::String& getLogFilename() const { return logFilename; }
    bool isLogOutputEnabled() const { return logOutputEnabled; }
    const kit::String& getGuiPath() const { return guiPath; }
    // Where a screen's layout is read from when the GUI folder has none of its own ("" for nowhere).
    const kit::String& getGuiFallbackPath() const { return guiFallbackPath; }
    void setGuiFallbackPath(const kit::String& path) { guiFallbackPath = path; }
    const kit::String& getDeveloperName() const { return developerName; }
    const kit::String& getGameName() const { return gameName; }
    const kit::Version& getGameVersion() const { return gameVersion; }
    const kit::String& getSoundNameClick() const { return soundNameClick; }
    void setSoundNameClick(const kit::String& name) { soundNameClick = name; }
    const kit::String& getSoundNameBuzzer() const { return soundNameBuzzer; }
    void setSoundNameBuzzer(const kit::String& name) { soundNameBuzzer = name; }
    bool isFpsRendering() const { return fpsRendering; }
    void setFpsRendering(bool enabled) { fpsRendering = enabled; }
    bool isDebugEnabled() const { return debugEnabled; }
    void setDebugEnabled(bool enabled) { debugEnabled = enabled; }

    // Made once by ventrel::init and shared by the scene and transition managers.
    virtual std::unique_ptr<menu::Transition> _createTransition();

protected:
    std::atomic<bool> loaded{false};
    bool loading = false;
    kit::Thread loaderThread;
    std::unique_ptr<menu::Base> preLoading;
    kit::String systemPath;
    kit::String logFilename;
    bool logOutputEnabled = true;
    kit::String guiPath;
    kit::String guiFallbackPath;
    kit::String developerName;
    kit::String gameName;
    kit::Version gameVersion;
    kit::String soundNameClick;
    kit::String soundNameBuzzer;
    bool fpsRendering = false;
    bool debugEnabled = false;
    bool crashMessageBox = false;
    bool crashExit = true;

    // The engine shows no pre-loading screen unless the game makes one.
    virtual std::unique_ptr<menu::Base> _createPreLoading();
    virtual void _updateDebug() {}
    virtual void _load() {}
    virtual void _loadAsync() {}
    void _renderPreLoading();
    static void _threadLoad(kit::Thread* thread);

    // The per-user writable folder, ending in "/".
    static kit::String _makeSystemPath(const kit::String& developerName, const kit::String& gameName);

private:
    void _playSound(const kit::String& name, const kit::String& fallback);
    void _preLoadFrame(float timeDelta);
    void _finishPreLoading();
};

}  // namespace ventrel::system
