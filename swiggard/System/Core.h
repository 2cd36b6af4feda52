#pragma once

#include <host/Window.h>
#include <kit/Types.h>
#include <net/HttpSocket.h>
#include <quadrix/Rectangle.h>
#include <ventrel/system/Core.h>

namespace System {

class HttpDelegate;

// The game's core: its identity, layout mode, GUI viewport and the message-of-the-day request.
class Core : public ventrel::system::Core {
public:
    // A new message of the day is shown this many times.
    static constexpr int MotdShowTimes = 3;
    static inline const kit::String MotdPath = "/games/swiggard/motd.php";
    // The message of the day is fetched again every ten minutes of running time.
    static constexpr float MotdInterval = 600.0f;

    explicit Core(bool mobile);
    ~Core() override;
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // Creates the HTTP delegate and socket of the message of the day, and drops them again.
    void openMotdSocket();
    void closeMotdSocket();
    // Asks the studio's server for the message of the day; nothing is sent without a configured host.
    void requestMotd();
    // Whether the running time passed a multiple of the interval between the two readings.
    static bool isMotdDue(float timeBefore, float timeAfter);
    // "SWG/2.5.7 (<system name>)".
    kit::String getUserAgent() const;
    // The configured host ("MotdHost" of category System) with the message path, or "" when unset.
    kit::String getMotdUrl() const;
    // A message arrived: the board's bar starts its ticker when a board is running.
    virtual void startMotdTicker();
    // A character was unlocked with notification: the runtime shows "gui.MessageCharacterUnlocked".
    void onCharacterUnlocked(const kit::String& character);

    bool onUpdate(float timeDelta) override;
    void start() override;
    void finish() override;
    void onQuit(bool canCancel) override;
    void onWindowSizeChanged(int width, int height, bool fullscreen) override;
    void onInputModeChanged(host::Window::InputMode inputMode) override;

    // Fits the GUI viewport of baseHeight units to the window's aspect ratio.
    void setupViewport(int baseHeight);
    // The viewport for a window of that aspect ratio: the ratio is kept between the layout's
    // minimum (1.5 mobile, 4:3 otherwise) and 16:9.
    static quadrix::Rectangle computeViewport(float aspectRatio, int baseHeight, bool mobile);
    bool isGuiCursorVisible() const { return guiCursorVisible; }

    bool isMobile() const { return mobile; }
    const quadrix::Rectangle& getViewport() const { return viewport; }
    int getMotdShowCount() const { return motdShowCount; }
    void setMotdShowCount(int value) { motdShowCount = value; }
    net::HttpSocket* getHttpSocket() const { return httpSocket.get(); }

protected:
    bool mobile;
    quadrix::Rectangle viewport;
    int motdShowCount = MotdShowTimes;
    // The message of the day: the socket asks, the delegate takes the reply.
    std::unique_ptr<HttpDelegate> motdReplies;
    std::unique_ptr<net::HttpSocket> httpSocket;
    // The GUI draws its own cursor only in mouse mode with the profile's custom cursor.
    bool guiCursorVisible = false;

    void _load() override;
    std::unique_ptr<ventrel::menu::Transition> _createTransition() override;
    std::unique_ptr<ventrel::menu::Base> _createPreLoading() override;

private:
    void registerScreens();
};

// Characters "16" and "17" must be unlocked; every other one is free.
bool isCharacterUnlocked(const kit::String& character);
// Adds the character to the profile's unlocked list and saves the profile.
void unlockCharacter(const kit::String& character, bool notify);
void unlockCharacters(const kit::Array<kit::String>& characters, bool notify);
// Global, music and sound gains from the profile's volume settings.
void applyAudioVolumes();

}  // namespace System
