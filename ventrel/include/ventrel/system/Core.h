#pragma once

#include <kit/Types.h>
#include <kit/Version.h>

namespace ventrel::system {

// The engine's frame delegate and the home of the game's identity and per-user folder. The game
// derives its own core from it.
class Core {
public:
    Core(const kit::String& guiPath, const kit::String& developerName, const kit::String& gameName,
         kit::Version gameVersion);
    virtual ~Core() = default;

    const kit::String& getSystemPath() const { return systemPath; }
    const kit::String& getLogFilename() const { return logFilename; }
    bool isLogOutputEnabled() const { return logOutputEnabled; }
    const kit::String& getGuiPath() const { return guiPath; }
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

protected:
    bool loaded = false;
    bool loading = false;
    kit::String systemPath;
    kit::String logFilename;
    bool logOutputEnabled = true;
    kit::String guiPath;
    kit::String developerName;
    kit::String gameName;
    kit::Version gameVersion;
    kit::String soundNameClick;
    kit::String soundNameBuzzer;
    bool fpsRendering = false;
    bool debugEnabled = false;
    bool crashMessageBox = false;
    bool crashExit = true;

    // The per-user writable folder, ending in "/".
    static kit::String _makeSystemPath(const kit::String& developerName, const kit::String& gameName);
};

}  // namespace ventrel::system
