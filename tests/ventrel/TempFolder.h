#pragma once

#include <kit/Dir.h>
#include <unistd.h>

#include <atomic>

// A fresh folder under the temporary path, removed with everything in it when it goes.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<int> counter{0};
        path = kit::Dir::joinPath(kit::Dir::getTemporaryPath(), "ventrel_test_" + std::to_string(::getpid()) +
                                                                    "_" + std::to_string(counter++));
        kit::Dir::remove(path);
        kit::Dir::create(path);
    }
    ~TempFolder() { kit::Dir::remove(path); }
    kit::String file(const kit::String& name) const { return kit::Dir::joinPath(path, name); }

    kit::String path;
};
