#include "kit/Log.h"

#include <cstdio>
#include <ctime>
#include <mutex>

namespace kit {

namespace {

struct LogState {
    std::recursive_mutex mutex;
    FILE* file = nullptr;
    String filename;
    bool console = true;
    bool debug = true;
    int nextListener = 1;
    Map<int, Log::Listener> listeners;
};

LogState& state() {
    static LogState instance;
    return instance;
}

String timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof(text), "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

const char* Log::levelName(Level level) {
    switch (level) {
        case Level::Write:
            return "INFO";
        case Level::Debug:
            return "DEBUG";
        case Level::Warn:
            return "WARN";
        case Level::Error:
            return "ERROR";
    }
    return "";
}

void Log::line(Level level, const String& tag, const String& message) {
    LogState& s = state();
    std::lock_guard lock(s.mutex);
    if (level == Level::Debug && !s.debug) {
        return;
    }
    String text = timestamp() + " [" + tag + "] " + levelName(level) + ": " + message + "\n";
    if (s.file) {
        std::fputs(text.c_str(), s.file);
        std::fflush(s.file);
    }
    if (s.console) {
        // Flushed a line at a time, so that a program reading the log through a pipe sees it at once.
        FILE* console = level >= Level::Warn ? stderr : stdout;
        std::fputs(text.c_str(), console);
        std::fflush(console);
    }
    for (const auto& entry : s.listeners) {
        entry.second(level, tag, message);
    }
}

void Log::write(const String& tag, const String& message) {
    line(Level::Write, tag, message);
}
void Log::debug(const String& tag, const String& message) {
    line(Level::Debug, tag, message);
}
void Log::warn(const String& tag, const String& message) {
    line(Level::Warn, tag, message);
}
void Log::error(const String& tag, const String& message) {
    line(Level::Error, tag, message);
}

bool Log::setFilename(const String& path) {
    LogState& s = state();
    std::lock_guard lock(s.mutex);
    if (s.file) {
        std::fclose(s.file);
        s.file = nullptr;
    }
    s.filename = path;
    if (path.empty()) {
        return true;
    }
    s.file = std::fopen(path.c_str(), "w");
    return s.file != nullptr;
}

const String& Log::getFilename() {
    return state().filename;
}

void Log::setConsoleEnabled(bool enabled) {
    std::lock_guard lock(state().mutex);
    state().console = enabled;
}

bool Log::isConsoleEnabled() {
    return state().console;
}

void Log::setDebugEnabled(bool enabled) {
    std::lock_guard lock(state().mutex);
    state().debug = enabled;
}

int Log::addListener(Listener listener) {
    LogState& s = state();
    std::lock_guard lock(s.mutex);
    int id = s.nextListener++;
    s.listeners[id] = std::move(listener);
    return id;
}

void Log::removeListener(int id) {
    std::lock_guard lock(state().mutex);
    state().listeners.erase(id);
}

void Log::finalize(bool all) {
    LogState& s = state();
    std::lock_guard lock(s.mutex);
    if (s.file) {
        std::fclose(s.file);
        s.file = nullptr;
    }
    if (all) {
        s.listeners.clear();
    }
}

}  // namespace kit
