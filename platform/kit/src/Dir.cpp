#include "kit/Dir.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "kit/Strings.h"

namespace fs = std::filesystem;

namespace kit {

String Dir::joinPath(const String& first, const String& second) {
    if (first.empty()) {
        return second;
    }
    if (second.empty()) {
        return first;
    }
    bool slashFirst = endsWith(first, "/");
    bool slashSecond = startsWith(second, "/");
    if (slashFirst && slashSecond) {
        return first + second.substr(1);
    }
    return slashFirst || slashSecond ? first + second : first + "/" + second;
}

String Dir::joinPath(const String& first, const String& second, const String& third) {
    return joinPath(joinPath(first, second), third);
}

String Dir::getParent(const String& path) {
    size_t slash = path.find_last_of('/');
    return slash == String::npos ? "" : path.substr(0, slash);
}

bool Dir::exists(const String& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool Dir::create(const String& path) {
    std::error_code error;
    fs::create_directories(path, error);
    return exists(path);
}

bool Dir::remove(const String& path) {
    std::error_code error;
    fs::remove_all(path, error);
    return !error;
}

static Array<String> entries(const String& path, bool wantDirectories) {
    Array<String> names;
    std::error_code error;
    for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        bool isDirectory = it->is_directory(typeError);
        if (isDirectory == wantDirectories) {
            names.push_back(it->path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

Array<String> Dir::files(const String& path) {
    return entries(path, false);
}

Array<String> Dir::directories(const String& path) {
    return entries(path, true);
}

bool Dir::sync(const String& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = ::fsync(fd) == 0;
    return (::close(fd) == 0) && ok;
}

String Dir::getTemporaryPath() {
    std::error_code error;
    auto path = fs::temp_directory_path(error);
    return error ? "/tmp" : path.string();
}

String Dir::getExecutablePath() {
    std::error_code error;
    auto path = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path(error).string() : path.parent_path().string();
}

}  // namespace kit
