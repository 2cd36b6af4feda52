#include <fcntl.h>
#include <sys/file.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <atomic>
#include <cctype>

#include "Internal.h"
#include "kit/Dir.h"
#include "kit/Env.h"
#include "kit/Format.h"
#include "kit/Log.h"
#include "kit/Strings.h"

namespace host {

std::function<bool(const kit::String& url)> urlInterceptor;
std::function<void(const kit::String& title, const kit::String& text, MessageBoxStyle style)>
    messageBoxInterceptor;

namespace {

bool systemInfoReady = false;
SystemInfo systemInfo;

int lockFd = -1;
pid_t lockPid = 0;
kit::String lockFilename;

std::atomic<unsigned long long> nameCounter{0};

kit::String localeFromEnvironment() {
    kit::String base;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        base = kit::getEnv(name);
        if (!base.empty()) {
            break;
        }
    }
    // GNU gettext: LANGUAGE (a list) wins unless the locale is C.
    kit::String language = kit::getEnv("LANGUAGE");
    if (!language.empty() && base != "C" && base != "POSIX" && !base.empty()) {
        kit::Array<kit::String> entries = kit::splitNonEmpty(language, ":");
        if (!entries.empty()) {
            return entries[0];
        }
    }
    return base;
}

}  // namespace

void parseLocale(const kit::String& value, kit::String& language, kit::String& variant) {
    kit::String text = value;
    size_t cut = text.find_first_of(".@");
    if (cut != kit::String::npos) {
        text = text.substr(0, cut);
    }
    if (text.empty() || text == "C" || text == "POSIX") {
        language = "en";
        variant = "";
        return;
    }
    size_t separator = text.find_first_of("_-");
    if (separator == kit::String::npos) {
        language = kit::toLower(text);
        variant = "";
    } else {
        language = kit::toLower(text.substr(0, separator));
        variant = kit::toUpper(text.substr(separator + 1));
    }
}

SystemInfo getSystemInfo() {
    if (systemInfoReady) {
        return systemInfo;
    }
    SystemInfo info;
    struct utsname names;
    if (uname(&names) == 0) {
        info.name = kit::String(names.sysname) + " " + names.release;
        info.architecture = names.machine;
    } else {
        info.name = "Linux";
        info.architecture = "unknown";
    }
    info.cpuCores = SDL_GetCPUCount();
    info.ram = SDL_GetSystemRAM();

    prepareVideoDriver();
    bool started = false;
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        if (!started) {
            kit::Log::warn(logTag, kit::String("Cannot start the video subsystem for the display info: ") +
                                       SDL_GetError());
        }
    }
    SDL_DisplayMode mode;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        info.displayResolution.set(static_cast<float>(mode.w), static_cast<float>(mode.h));
    } else {
        kit::Log::warn(logTag, "Display resolution unknown, assuming 1920x1080.");
        info.displayResolution.set(1920.0f, 1080.0f);
    }
    float diagonalDpi = 0.0f;
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0 && SDL_GetDisplayDPI(0, &diagonalDpi, nullptr, nullptr) == 0 &&
        diagonalDpi > 1.0f) {
        info.displayDpi = static_cast<int>(diagonalDpi + 0.5f);
    }
    if (started) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    parseLocale(localeFromEnvironment(), info.locale, info.localeVariant);
    systemInfo = info;
    systemInfoReady = true;
    return systemInfo;
}

void showMessageBox(const kit::String& title, const kit::String& text, MessageBoxStyle style) {
    kit::String line = "Message box: " + title + ": " + text;
    Uint32 flags = SDL_MESSAGEBOX_INFORMATION;
    switch (style) {
        case MessageBoxStyle::Info:
            kit::Log::write(logTag, line);
            break;
        case MessageBoxStyle::Warning:
            kit::Log::warn(logTag, line);
            flags = SDL_MESSAGEBOX_WARNING;
            break;
        case MessageBoxStyle::Error:
            kit::Log::error(logTag, line);
            flags = SDL_MESSAGEBOX_ERROR;
            break;
    }
    if (messageBoxInterceptor) {
        messageBoxInterceptor(title, text, style);
        return;
    }
    if (isHeadlessVideo()) {
        return;
    }
    SDL_Window* parent = nullptr;
    if (window != nullptr && window->isCreated()) {
        parent = static_cast<SDL_Window*>(window->getNativeHandle());
    }
    if (SDL_ShowSimpleMessageBox(flags, title.c_str(), text.c_str(), parent) != 0) {
        kit::Log::warn(logTag, kit::String("Cannot show the message box: ") + SDL_GetError());
    }
}

bool openUrl(const kit::String& url) {
    kit::Log::write(logTag, "Opening URL: " + url);
    if (urlInterceptor) {
        return urlInterceptor(url);
    }
    if (SDL_OpenURL(url.c_str()) != 0) {
        kit::Log::warn(logTag, kit::String("Cannot open the URL: ") + SDL_GetError());
        return false;
    }
    return true;
}

bool lockSingleInstance(const kit::String& name, const kit::String& path) {
    if (lockFd >= 0 && lockPid == getpid()) {
        return true;
    }
    // A forked child inherits the descriptor but is another instance.
    lockFd = -1;
    kit::String safeName;
    for (char c : name) {
        safeName +=
            (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.') ? c : '_';
    }
    if (safeName.empty()) {
        safeName = "instance";
    }
    kit::String folder = kit::getEnv("XDG_RUNTIME_DIR");
    if (folder.empty() || !kit::Dir::exists(folder)) {
        folder = kit::Dir::getTemporaryPath();
    }
    kit::String filename = kit::Dir::joinPath(folder, safeName + ".lock");
    int fd = open(filename.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // Better to run twice than not at all.
        kit::Log::warn(logTag, "Cannot create the single-instance lock file " + filename + ", not locking.");
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        kit::Log::write(logTag, "Another instance of '" + name + "' is running (" + filename + ").");
        return false;
    }
    kit::String content = kit::format("%d\n", static_cast<int>(getpid())) + path + "\n";
    if (ftruncate(fd, 0) != 0 || write(fd, content.data(), content.size()) < 0) {
        kit::Log::debug(logTag, "Cannot write into the lock file " + filename);
    }
    lockFd = fd;
    lockPid = getpid();
    lockFilename = filename;
    kit::Log::debug(logTag, "Single-instance lock: " + filename);
    return true;
}

void unlockSingleInstance() {
    if (lockFd < 0) {
        return;
    }
    if (lockPid == getpid()) {
        flock(lockFd, LOCK_UN);
        close(lockFd);
    }
    lockFd = -1;
    lockPid = 0;
    lockFilename.clear();
}

kit::String generateName(const kit::String& prefix) {
    return prefix + kit::format("_%llu", ++nameCounter);
}

}  // namespace host
