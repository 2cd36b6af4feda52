#pragma once

#include "kit/Types.h"

namespace kit {

// Folders of the writable file system.
class Dir {
public:
    Dir() = delete;

    // Joins with exactly one "/" between the parts; an empty part is skipped.
    static String joinPath(const String& first, const String& second);
    static String joinPath(const String& first, const String& second, const String& third);
    // The folder part of a path ("a/b/c.txt" -> "a/b").
    static String getParent(const String& path);
    static bool exists(const String& path);
    // Creates the folder and its missing parents; true when it exists afterwards.
    static bool create(const String& path);
    // Removes the folder with everything in it.
    static bool remove(const String& path);
    // Names (not paths) of the files / sub-folders, sorted.
    static Array<String> files(const String& path);
    static Array<String> directories(const String& path);
    // Flushes the folder's entries to disk (after a rename).
    static bool sync(const String& path);
    static String getTemporaryPath();
    // The folder of the running program.
    static String getExecutablePath();
};

}  // namespace kit
