#pragma once

#include "kit/Types.h"

namespace kit {

// The game's read-only data: a tree holding cfg/ and data/, found beside the program in the build
// tree, under ../share/swiggard after installation, or at $SWIGGARD_DATA when that is set.
// Names are relative to that root ("cfg/default.cfg") and use "/".
class ResourceDir {
public:
    ResourceDir() = delete;

    static const String& getRoot();
    // Points the tree at another folder (tests); an empty path finds the root afresh.
    static void setRoot(const String& path);
    // The file-system path of a resource name.
    static String getPath(const String& name);
    static bool exists(const String& name);
    static bool isDirectory(const String& name);
    static bool read(const String& name, String& bytes);
    // The whole resource as text, or "" when it is missing.
    static String readText(const String& name);
    // Names of the files / folders directly inside a resource folder, sorted.
    static Array<String> files(const String& folder);
    static Array<String> directories(const String& folder);
};

}  // namespace kit
