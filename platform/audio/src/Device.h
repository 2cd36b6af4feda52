#pragma once

#include <SDL_mixer.h>

#include "kit/Types.h"

namespace audio {

// The SDL2_mixer output: voices for decoded chunks and the mixer's single music stream. A voice is a
// mixer channel number, or `musicVoice` for the stream. When the device could not be opened every
// operation does nothing.
class Device {
public:
    static constexpr int musicVoice = -2;
    static constexpr int noVoice = -1;

    explicit Device(const kit::String& name);
    ~Device();
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    bool isOpen() const { return open; }
    // Why the last load or start failed; "" when it failed only for want of a free voice.
    const kit::String& getLastError() const { return lastError; }

    // Decodes a whole file; null when it cannot be read.
    Mix_Chunk* loadChunk(const kit::String& path);
    void freeChunk(Mix_Chunk* chunk);

    // Start a voice at the given gain; `noVoice` when nothing plays.
    int playChunk(Mix_Chunk* chunk, bool looping, float gain);
    // Opens the file as the stream, replacing the stream that plays.
    int playStream(const kit::String& path, bool looping, float gain);

    void stop(int voice);
    bool isPlaying(int voice) const;
    void setGain(int voice, float gain);
    float getGain(int voice) const;
    void pause(int voice);
    void resume(int voice);

private:
    void fail(const kit::String& what);

    bool open = false;
    bool started = false;
    Mix_Music* music = nullptr;
    kit::String lastError;
};

}  // namespace audio
