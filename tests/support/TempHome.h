#pragma once

#include <kit/Types.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace testsupport {

// A fresh temporary XDG_DATA_HOME for the per-user folder; removed with everything in it, and the
// previous value back, when it goes.
class TempHome {
public:
    TempHome() {
        const char* old = std::getenv("XDG_DATA_HOME");
        hadPrevious = old != nullptr;
        previous = old ? old : "";
        char pattern[] = "/tmp/swiggard_home_XXXXXX";
        path = mkdtemp(pattern);
        setenv("XDG_DATA_HOME", path.c_str(), 1);
    }
    ~TempHome() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
        if (hadPrevious) {
            setenv("XDG_DATA_HOME", previous.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    const kit::String& getPath() const { return path; }

private:
    kit::String path;
    kit::String previous;
    bool hadPrevious = false;
};

}  // namespace testsupport
