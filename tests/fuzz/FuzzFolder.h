#pragma once

#include <kit/Dir.h>
#include <unistd.h>

#include <string>

// A folder of this fuzz process under the temporary path, made on first use and removed with
// everything in it (links are removed, not followed) when the process ends.
inline const kit::String& fuzzFolder(const kit::String& name) {
    static const struct Folder {
        kit::String path;
        explicit Folder(const kit::String& name)
            : path(
                  kit::Dir::joinPath(kit::Dir::getTemporaryPath(), name + "_" + std::to_string(::getpid()))) {
            kit::Dir::create(path);
        }
        ~Folder() { kit::Dir::remove(path); }
    } folder(name);
    return folder.path;
}
