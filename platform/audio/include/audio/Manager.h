#pragma once

#include <memory>

#include "audio/Audio.h"
#include "kit/Types.h"

namespace audio {

// Sounds by name in categories with gains, playing instances with their own fades. All operations may
// be called from any thread; a failed operation writes a warning and changes nothing.
//
// The effective gain of an instance is its own gain x its fade x its category's gain x the global gain.
// Fades are linear ramps advanced by `update` (or by the manager's own thread when threaded).
class Manager {
public:
    Manager(bool threaded, float updateInterval, const kit::String& deviceName);
    ~Manager();
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;

    bool isDeviceOpen() const;

    bool createCategory(const kit::String& name, BufferMode bufferMode, SourceMode sourceMode);
    bool hasCategory(const kit::String& name) const;
    void setCategoryGain(const kit::String& name, float gain);
    float getCategoryGain(const kit::String& name) const;
    void setGain(float gain);
    float getGain() const;

    // Creates a sound from every audio file of a read-only resource folder; a sound is named by its file
    // name without the extension. Returns how many were created. Nothing is decoded yet: a sound kept in
    // memory is decoded when it first plays (a damaged one is reported then and never plays), so the
    // game does not decode every sound before its first frame and hold those it never plays.
    int createSoundsFromFolder(const kit::String& folder, const kit::String& category);
    bool hasSound(const kit::String& name) const;

    // Starts an instance, fading in over `fadeTime` seconds. Returns its handle, or 0 when nothing
    // plays (unknown name, no device, suspended, no free voice).
    int play(const kit::String& name, float fadeTime = 0.0f, bool looping = false, float gain = 1.0f);
    // Fades an instance out over `fadeTime` seconds and then stops it; 0 stops at once.
    void stop(int handle, float fadeTime);
    // Stops the oldest instance of the sound that is not already fading out.
    void stopFirst(const kit::String& name, float fadeTime);
    void stopAll(float fadeTime);
    // Holds an instance where it is until `resume`, independent of `suspendAudio`.
    void pause(int handle);
    void resume(int handle);

    bool isPlaying(int handle) const;
    bool isAnyPlaying(const kit::String& name) const;
    // The gain the mixer applies to the oldest instance of the sound, 0 when none plays.
    float getPlayingGain(const kit::String& name) const;

    // Holds every instance (the window lost focus) and lets them go on again; nothing starts meanwhile.
    void suspendAudio();
    void resumeAudio();
    bool isSuspended() const;

    // Frees the decoded data of sounds that no instance uses; they are loaded again when played.
    void freeUnusedMemory();
    int getLoadedSoundCount() const;

    // Advances fades and forgets finished instances; does nothing when the manager runs its own thread.
    void update(float timeDelta);

private:
    struct State;
    std::unique_ptr<State> state;
};

}  // namespace audio
