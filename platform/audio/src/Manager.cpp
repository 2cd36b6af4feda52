#include "audio/Manager.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <set>

#include "Device.h"
#include "kit/Dir.h"
#include "kit/File.h"
#include "kit/Format.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"
#include "kit/Strings.h"
#include "kit/Thread.h"

namespace audio {

namespace {

const std::set<kit::String> audioExtensions = {".ogg", ".wav", ".flac", ".mp3", ".opus", ".mid", ".midi"};

float clampGain(float gain) {
    return std::clamp(gain, 0.0f, 1.0f);
}

struct Category {
    BufferMode bufferMode;
    float gain = 1.0f;
};

struct Sound {
    kit::String path;
    kit::String category;
    Mix_Chunk* chunk = nullptr;
};

struct Instance {
    int handle;
    kit::String sound;
    int voice;
    float gain;
    float fade;
    float fadeTarget = 1.0f;
    float fadeRate = 0.0f;
    bool paused = false;

    bool isFadingOut() const { return fadeTarget == 0.0f; }
};

}  // namespace

struct Manager::State {
    explicit State(const kit::String& deviceName) : device(deviceName) {}

    mutable std::mutex mutex;
    Device device;
    kit::Map<kit::String, Category> categories;
    kit::Map<kit::String, Sound> sounds;
    // Oldest first.
    kit::Array<Instance> instances;
    std::set<kit::String> warned;
    float gain = 1.0f;
    bool suspended = false;
    int nextHandle = 1;

    bool threaded = false;
    float interval = 0.01f;
    bool quitting = false;
    std::condition_variable wake;
    std::unique_ptr<kit::Thread> thread;

    // The same fault is reported once, not in every frame a playlist retries it.
    void warnOnce(const kit::String& key, const kit::String& message) {
        if (warned.insert(key).second) {
            kit::Log::warn("audio", message);
        }
    }

    Category* findCategory(const kit::String& name) {
        auto found = categories.find(name);
        return found == categories.end() ? nullptr : &found->second;
    }

    bool isLive(const Instance& instance) const {
        return instance.paused || suspended || device.isPlaying(instance.voice);
    }

    Instance* findInstance(int handle) {
        auto found = std::find_if(instances.begin(), instances.end(),
                                  [handle](const Instance& instance) { return instance.handle == handle; });
        return found == instances.end() ? nullptr : &*found;
    }

    float effectiveGain(const Instance& instance) {
        const Sound& sound = sounds.at(instance.sound);
        return instance.gain * instance.fade * categories.at(sound.category).gain * gain;
    }

    void applyGain(const Instance& instance) { device.setGain(instance.voice, effectiveGain(instance)); }

    void applyAllGains() {
        for (const Instance& instance : instances) {
            applyGain(instance);
        }
    }

    void halt(int handle) {
        auto found = std::find_if(instances.begin(), instances.end(),
                                  [handle](const Instance& instance) { return instance.handle == handle; });
        if (found == instances.end()) {
            return;
        }
        device.stop(found->voice);
        instances.erase(found);
    }

    void stop(Instance& instance, float fadeTime) {
        // A held instance is not heard, so it has nothing to fade.
        if (fadeTime <= 0.0f || instance.fade <= 0.0f || instance.paused || suspended) {
            halt(instance.handle);
            return;
        }
        instance.fadeTarget = 0.0f;
        instance.fadeRate = instance.fade / fadeTime;
    }

    bool ensureLoaded(Sound& sound, const Category& category) {
        if (category.bufferMode == BufferMode::Stream || sound.chunk) {
            return true;
        }
        sound.chunk = device.loadChunk(sound.path);
        return sound.chunk != nullptr;
    }

    int start(const kit::String& name, Sound& sound, float fadeTime, bool looping, float instanceGain) {
        const Category& category = categories.at(sound.category);
        if (!ensureLoaded(sound, category)) {
            warnOnce("play:" + name, "Sound '" + name + "' " + device.getLastError());
            return 0;
        }
        Instance instance{nextHandle, name, Device::noVoice, clampGain(instanceGain), 1.0f};
        if (fadeTime > 0.0f) {
            instance.fade = 0.0f;
            instance.fadeRate = 1.0f / fadeTime;
        }
        float startGain = effectiveGain(instance);
        instance.voice = category.bufferMode == BufferMode::Stream
                             ? device.playStream(sound.path, looping, startGain)
                             : device.playChunk(sound.chunk, looping, startGain);
        if (instance.voice == Device::noVoice) {
            if (!device.getLastError().empty()) {
                warnOnce("play:" + name, "Sound '" + name + "' " + device.getLastError());
            }
            return 0;
        }
        // The voice was free, so a record still holding it belongs to an instance that has ended.
        std::erase_if(instances, [&instance](const Instance& old) { return old.voice == instance.voice; });
        instances.push_back(instance);
        return nextHandle++;
    }

    void advanceFade(Instance& instance, float timeDelta) {
        float step = instance.fadeRate * timeDelta;
        if (instance.fade < instance.fadeTarget) {
            instance.fade = std::min(instance.fadeTarget, instance.fade + step);
        } else {
            instance.fade = std::max(instance.fadeTarget, instance.fade - step);
        }
        applyGain(instance);
    }

    void advance(float timeDelta) {
        if (suspended) {
            return;
        }
        std::erase_if(instances, [this](const Instance& instance) { return !isLive(instance); });
        kit::Array<int> silent;
        for (Instance& instance : instances) {
            if (instance.paused || instance.fade == instance.fadeTarget) {
                continue;
            }
            advanceFade(instance, timeDelta);
            if (instance.isFadingOut() && instance.fade <= 0.0f) {
                silent.push_back(instance.handle);
            }
        }
        for (int handle : silent) {
            halt(handle);
        }
    }

    void run() {
        using Clock = std::chrono::steady_clock;
        auto last = Clock::now();
        std::unique_lock lock(mutex);
        while (!quitting) {
            wake.wait_for(lock, std::chrono::duration<float>(interval));
            auto now = Clock::now();
            advance(std::chrono::duration<float>(now - last).count());
            last = now;
        }
    }

    bool isInUse(const kit::String& name) const {
        return std::any_of(instances.begin(), instances.end(), [this, &name](const Instance& instance) {
            return instance.sound == name && isLive(instance);
        });
    }

    void freeChunks(bool onlyUnused) {
        for (auto& [name, sound] : sounds) {
            if (sound.chunk && !(onlyUnused && isInUse(name))) {
                device.freeChunk(sound.chunk);
                sound.chunk = nullptr;
            }
        }
    }
};

Manager::Manager(bool threaded, float updateInterval, const kit::String& deviceName)
    : state(std::make_unique<State>(deviceName)) {
    if (!threaded || !state->device.isOpen()) {
        return;
    }
    state->threaded = true;
    state->interval = std::max(updateInterval, 0.001f);
    state->thread = std::make_unique<kit::Thread>([this](kit::Thread*) { state->run(); }, "audio");
    state->thread->start();
}

Manager::~Manager() {
    if (state->thread) {
        {
            std::lock_guard lock(state->mutex);
            state->quitting = true;
        }
        state->wake.notify_all();
        state->thread->join();
    }
    std::lock_guard lock(state->mutex);
    for (const Instance& instance : state->instances) {
        state->device.stop(instance.voice);
    }
    state->instances.clear();
    state->freeChunks(false);
}

bool Manager::isDeviceOpen() const {
    return state->device.isOpen();
}

bool Manager::createCategory(const kit::String& name, BufferMode bufferMode, SourceMode) {
    std::lock_guard lock(state->mutex);
    if (!state->categories.emplace(name, Category{bufferMode}).second) {
        kit::Log::warn("audio", "Audio category '" + name + "' already exists");
        return false;
    }
    return true;
}

bool Manager::hasCategory(const kit::String& name) const {
    std::lock_guard lock(state->mutex);
    return state->categories.count(name) > 0;
}

void Manager::setCategoryGain(const kit::String& name, float gain) {
    std::lock_guard lock(state->mutex);
    Category* category = state->findCategory(name);
    if (!category) {
        kit::Log::warn("audio", "Audio category '" + name + "' does not exist");
        return;
    }
    category->gain = clampGain(gain);
    state->applyAllGains();
}

float Manager::getCategoryGain(const kit::String& name) const {
    std::lock_guard lock(state->mutex);
    auto found = state->categories.find(name);
    return found == state->categories.end() ? 0.0f : found->second.gain;
}

void Manager::setGain(float gain) {
    std::lock_guard lock(state->mutex);
    state->gain = clampGain(gain);
    state->applyAllGains();
}

float Manager::getGain() const {
    std::lock_guard lock(state->mutex);
    return state->gain;
}

int Manager::createSoundsFromFolder(const kit::String& folder, const kit::String& category) {
    std::lock_guard lock(state->mutex);
    Category* target = state->findCategory(category);
    if (!target) {
        kit::Log::warn("audio", "Audio category '" + category + "' does not exist");
        return 0;
    }
    if (!kit::ResourceDir::isDirectory(folder)) {
        kit::Log::warn("audio", "Sound folder '" + folder + "' does not exist");
        return 0;
    }
    int created = 0;
    for (const kit::String& file : kit::ResourceDir::files(folder)) {
        if (audioExtensions.count(kit::toLower(kit::File::getExtension(file))) == 0) {
            continue;
        }
        kit::String name = kit::File::getBaseName(file);
        if (state->sounds.count(name) > 0) {
            kit::Log::warn("audio", "Sound '" + name + "' exists already, '" + file + "' skipped");
            continue;
        }
        state->sounds.emplace(name,
                              Sound{kit::ResourceDir::getPath(kit::Dir::joinPath(folder, file)), category});
        ++created;
    }
    kit::Log::debug("audio", kit::format("%d sounds created from '%s'", created, folder.c_str()));
    return created;
}

bool Manager::hasSound(const kit::String& name) const {
    std::lock_guard lock(state->mutex);
    return state->sounds.count(name) > 0;
}

int Manager::play(const kit::String& name, float fadeTime, bool looping, float gain) {
    std::lock_guard lock(state->mutex);
    auto found = state->sounds.find(name);
    if (found == state->sounds.end()) {
        state->warnOnce("missing:" + name, "Sound '" + name + "' does not exist");
        return 0;
    }
    if (!state->device.isOpen() || state->suspended) {
        return 0;
    }
    return state->start(name, found->second, fadeTime, looping, gain);
}

void Manager::stop(int handle, float fadeTime) {
    std::lock_guard lock(state->mutex);
    Instance* instance = state->findInstance(handle);
    if (instance) {
        state->stop(*instance, fadeTime);
    }
}

void Manager::stopFirst(const kit::String& name, float fadeTime) {
    std::lock_guard lock(state->mutex);
    if (state->sounds.count(name) == 0) {
        state->warnOnce("missing:" + name, "Sound '" + name + "' does not exist");
        return;
    }
    for (Instance& instance : state->instances) {
        if (instance.sound == name && !instance.isFadingOut() && state->isLive(instance)) {
            state->stop(instance, fadeTime);
            return;
        }
    }
}

void Manager::stopAll(float fadeTime) {
    std::lock_guard lock(state->mutex);
    kit::Array<int> handles;
    for (const Instance& instance : state->instances) {
        handles.push_back(instance.handle);
    }
    for (int handle : handles) {
        Instance* instance = state->findInstance(handle);
        if (instance) {
            state->stop(*instance, fadeTime);
        }
    }
}

void Manager::pause(int handle) {
    std::lock_guard lock(state->mutex);
    Instance* instance = state->findInstance(handle);
    if (!instance || instance->paused) {
        return;
    }
    instance->paused = true;
    state->device.pause(instance->voice);
}

void Manager::resume(int handle) {
    std::lock_guard lock(state->mutex);
    Instance* instance = state->findInstance(handle);
    if (!instance || !instance->paused) {
        return;
    }
    instance->paused = false;
    if (!state->suspended) {
        state->device.resume(instance->voice);
    }
}

bool Manager::isPlaying(int handle) const {
    std::lock_guard lock(state->mutex);
    const Instance* instance = state->findInstance(handle);
    return instance && state->isLive(*instance);
}

bool Manager::isAnyPlaying(const kit::String& name) const {
    std::lock_guard lock(state->mutex);
    return state->isInUse(name);
}

float Manager::getPlayingGain(const kit::String& name) const {
    std::lock_guard lock(state->mutex);
    for (const Instance& instance : state->instances) {
        if (instance.sound == name && state->isLive(instance)) {
            return state->device.getGain(instance.voice);
        }
    }
    return 0.0f;
}

void Manager::suspendAudio() {
    std::lock_guard lock(state->mutex);
    if (state->suspended) {
        return;
    }
    state->suspended = true;
    for (const Instance& instance : state->instances) {
        if (!instance.paused) {
            state->device.pause(instance.voice);
        }
    }
}

void Manager::resumeAudio() {
    std::lock_guard lock(state->mutex);
    if (!state->suspended) {
        return;
    }
    state->suspended = false;
    for (const Instance& instance : state->instances) {
        if (!instance.paused) {
            state->device.resume(instance.voice);
        }
    }
}

bool Manager::isSuspended() const {
    std::lock_guard lock(state->mutex);
    return state->suspended;
}

void Manager::freeUnusedMemory() {
    std::lock_guard lock(state->mutex);
    state->freeChunks(true);
}

int Manager::getLoadedSoundCount() const {
    std::lock_guard lock(state->mutex);
    return static_cast<int>(std::count_if(state->sounds.begin(), state->sounds.end(),
                                          [](const auto& entry) { return entry.second.chunk != nullptr; }));
}

void Manager::update(float timeDelta) {
    if (state->threaded) {
        return;
    }
    std::lock_guard lock(state->mutex);
    state->advance(std::max(timeDelta, 0.0f));
}

}  // namespace audio
