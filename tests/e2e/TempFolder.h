#pragma once

#include <kit/Types.h>

#include <cstdlib>
#include <filesystem>

namespace e2etest {

// A fresh temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/swiggard_e2e_XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const kit::String& getPath() const { return path; }

private:
    kit::String path;
};

// Sets an environment variable for the scope and restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const kit::String& value) : name(name) {
        const char* old = std::getenv(name);
        had = old != nullptr;
        previous = old ? old : "";
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had) {
            setenv(name, previous.c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name;
    kit::String previous;
    bool had = false;
};

}  // namespace e2etest
