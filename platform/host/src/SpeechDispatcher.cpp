#include "host/SpeechDispatcher.h"

#include <dlfcn.h>

#include "Internal.h"
#include "kit/Log.h"

namespace host {

namespace {

// The client library's calls, declared as its header does: the header is not needed to build, only the
// library to speak.
constexpr int ModeSingle = 0;
constexpr int PriorityMessage = 2;
using Open = void* (*)(const char*, const char*, const char*, int);
using SetLanguage = int (*)(void*, const char*);
using Say = int (*)(void*, int, const char*);
using Cancel = int (*)(void*);
using Close = void (*)(void*);

// speech-dispatcher names languages by ISO 639 codes; the game's Chinese is the traditional script.
kit::String speechLanguage(const kit::String& language) {
    return language == "zh-HANT" ? kit::String("zh-TW") : language;
}

}  // namespace

struct SpeechDispatcher::Api {
    void* library = nullptr;
    Open open = nullptr;
    SetLanguage setLanguage = nullptr;
    Say say = nullptr;
    Cancel cancel = nullptr;
    Close close = nullptr;
    void* connection = nullptr;
    bool tried = false;

    ~Api() {
        if (connection) {
            close(connection);
        }
        if (library) {
            dlclose(library);
        }
    }

    template <class Function>
    bool find(Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(library, name));
        return function != nullptr;
    }
};

SpeechDispatcher::SpeechDispatcher(const char* library) {
    auto loaded = std::make_unique<Api>();
    loaded->library = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!loaded->library) {
        kit::Log::write(logTag, "No speech-dispatcher on this machine (" + kit::String(library) +
                                    "): nothing is read aloud.");
        return;
    }
    if (!loaded->find(loaded->open, "spd_open") || !loaded->find(loaded->setLanguage, "spd_set_language") ||
        !loaded->find(loaded->say, "spd_say") || !loaded->find(loaded->cancel, "spd_cancel") ||
        !loaded->find(loaded->close, "spd_close")) {
        kit::Log::warn(logTag, kit::String(library) + " lacks the speech calls: nothing is read aloud.");
        return;
    }
    api = std::move(loaded);
    worker = std::thread(&SpeechDispatcher::_run, this);
}

SpeechDispatcher::~SpeechDispatcher() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    wake.notify_all();
    if (worker.joinable()) {
        worker.join();
    }
}

bool SpeechDispatcher::isAvailable() const {
    return api != nullptr;
}

void SpeechDispatcher::say(const kit::String& text, const kit::String& language, bool interrupt) {
    if (!api || text.empty()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (interrupt) {
            waiting.clear();
        }
        if (waiting.size() >= MaxWaiting) {
            waiting.pop_front();
        }
        waiting.push_back({text, speechLanguage(language), interrupt});
    }
    wake.notify_one();
}

void SpeechDispatcher::_run() {
    std::unique_lock<std::mutex> lock(mutex);
    while (true) {
        wake.wait(lock, [this] { return stopping || !waiting.empty(); });
        if (stopping) {
            return;
        }
        Line line = std::move(waiting.front());
        waiting.pop_front();
        lock.unlock();
        if (void* connection = _connection()) {
            if (line.interrupt) {
                api->cancel(connection);
            }
            api->setLanguage(connection, line.language.c_str());
            api->say(connection, PriorityMessage, line.text.c_str());
        }
        lock.lock();
    }
}

void* SpeechDispatcher::_connection() {
    if (api->tried) {
        return api->connection;
    }
    api->tried = true;
    api->connection = api->open("swiggard", "main", nullptr, ModeSingle);
    if (!api->connection) {
        kit::Log::warn(logTag, "speech-dispatcher does not answer: nothing is read aloud.");
    }
    return api->connection;
}

}  // namespace host
