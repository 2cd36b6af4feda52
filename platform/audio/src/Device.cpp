#include "Device.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "kit/Log.h"

namespace audio {

namespace {

constexpr int voiceCount = 32;
constexpr int bufferFrames = 1024;

int toVolume(float gain) {
    return static_cast<int>(std::lround(std::clamp(gain, 0.0f, 1.0f) * MIX_MAX_VOLUME));
}

}  // namespace

Device::Device(const kit::String& name) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        kit::Log::warn("audio", kit::String("No audio: ") + SDL_GetError());
        return;
    }
    started = true;
    // Formats whose decoder is missing are simply unavailable; WAV needs none.
    Mix_Init(MIX_INIT_OGG | MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OPUS);
    const char* device = name.empty() ? nullptr : name.c_str();
    if (Mix_OpenAudioDevice(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, bufferFrames, device,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE) != 0) {
        // The audio subsystem stays until the end: quitting it waits for SDL's device watcher, up to a
        // tenth of a second, which would hold the first picture back.
        kit::Log::warn("audio", kit::String("No audio device, sounds stay silent: ") + Mix_GetError());
        Mix_Quit();
        return;
    }
    Mix_AllocateChannels(voiceCount);
    open = true;
    kit::Log::debug("audio", kit::String("Audio device opened with driver ") + SDL_GetCurrentAudioDriver());
}

Device::~Device() {
    if (open) {
        stop(musicVoice);
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        Mix_Quit();
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

Mix_Chunk* Device::loadChunk(const kit::String& path) {
    if (!open) {
        return nullptr;
    }
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) {
        fail("cannot load '" + path + "'");
    }
    return chunk;
}

void Device::freeChunk(Mix_Chunk* chunk) {
    if (chunk) {
        Mix_FreeChunk(chunk);
    }
}

int Device::playChunk(Mix_Chunk* chunk, bool looping, float gain) {
    lastError.clear();
    if (!open || !chunk) {
        return noVoice;
    }
    int channel = Mix_GroupAvailable(-1);
    if (channel < 0) {
        kit::Log::debug("audio", "No free voice, sound dropped");
        return noVoice;
    }
    // The gain is set before the first sample, so that a fade-in does not start with a click.
    Mix_Volume(channel, toVolume(gain));
    if (Mix_PlayChannel(channel, chunk, looping ? -1 : 0) < 0) {
        fail("cannot play");
        return noVoice;
    }
    return channel;
}

int Device::playStream(const kit::String& path, bool looping, float gain) {
    lastError.clear();
    if (!open) {
        return noVoice;
    }
    stop(musicVoice);
    music = Mix_LoadMUS(path.c_str());
    if (!music) {
        fail("cannot open '" + path + "'");
        return noVoice;
    }
    Mix_VolumeMusic(toVolume(gain));
    if (Mix_PlayMusic(music, looping ? -1 : 1) != 0) {
        fail("cannot play '" + path + "'");
        stop(musicVoice);
        return noVoice;
    }
    return musicVoice;
}

void Device::fail(const kit::String& what) {
    lastError = what + ": " + Mix_GetError();
}

void Device::stop(int voice) {
    if (!open || voice == noVoice) {
        return;
    }
    if (voice != musicVoice) {
        Mix_HaltChannel(voice);
        return;
    }
    Mix_HaltMusic();
    if (music) {
        Mix_FreeMusic(music);
        music = nullptr;
    }
}

bool Device::isPlaying(int voice) const {
    if (!open || voice == noVoice) {
        return false;
    }
    if (voice == musicVoice) {
        return music && Mix_PlayingMusic();
    }
    return Mix_Playing(voice) != 0;
}

void Device::setGain(int voice, float gain) {
    if (!open || voice == noVoice) {
        return;
    }
    if (voice == musicVoice) {
        Mix_VolumeMusic(toVolume(gain));
        return;
    }
    Mix_Volume(voice, toVolume(gain));
}

float Device::getGain(int voice) const {
    if (!open || voice == noVoice) {
        return 0.0f;
    }
    int volume = voice == musicVoice ? Mix_VolumeMusic(-1) : Mix_Volume(voice, -1);
    return static_cast<float>(volume) / MIX_MAX_VOLUME;
}

void Device::pause(int voice) {
    if (!open || voice == noVoice) {
        return;
    }
    if (voice == musicVoice) {
        Mix_PauseMusic();
        return;
    }
    Mix_Pause(voice);
}

void Device::resume(int voice) {
    if (!open || voice == noVoice) {
        return;
    }
    if (voice == musicVoice) {
        Mix_ResumeMusic();
        return;
    }
    Mix_Resume(voice);
}

}  // namespace audio
