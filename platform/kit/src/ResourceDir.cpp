#include "kit/ResourceDir.h"

#include "kit/Dir.h"
#include "kit/Env.h"
#include "kit/File.h"

namespace kit {

namespace {

String findRoot() {
    String configured = getEnv("SWIGGARD_DATA");
    if (!configured.empty()) {
        return configured;
    }
    String beside = Dir::getExecutablePath();
    if (Dir::exists(Dir::joinPath(beside, "cfg")) || Dir::exists(Dir::joinPath(beside, "data"))) {
        return beside;
    }
    return Dir::joinPath(Dir::getParent(beside), "share/swiggard");
}

String& root() {
    static String path = findRoot();
    return path;
}

}  // namespace

const String& ResourceDir::getRoot() {
    return root();
}

void ResourceDir::setRoot(const String& path) {
    root() = path.empty() ? findRoot() : path;
}

String ResourceDir::getPath(const String& name) {
    return Dir::joinPath(root(), name);
}

bool ResourceDir::exists(const String& name) {
    String path = getPath(name);
    return File::exists(path) || Dir::exists(path);
}

bool ResourceDir::isDirectory(const String& name) {
    return Dir::exists(getPath(name));
}

bool ResourceDir::read(const String& name, String& bytes) {
    return File::read(getPath(name), bytes);
}

String ResourceDir::readText(const String& name) {
    return File::readText(getPath(name));
}

Array<String> ResourceDir::files(const String& folder) {
    return Dir::files(getPath(folder));
}

Array<String> ResourceDir::directories(const String& folder) {
    return Dir::directories(getPath(folder));
}

}  // namespace kit
