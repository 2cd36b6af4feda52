#pragma once

#include "kit/Types.h"

namespace host {
class Texture;
}

namespace gui {

// A named picture of the render system, owning its host texture. The data set that registered it
// deletes it. Drawing marks it used, so that idle textures can be unloaded (unloadUnusedResources).
class Texture {
public:
    // Takes ownership of the host texture (which may be null: then nothing is drawn).
    Texture(const kit::String& name, host::Texture* texture);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    const kit::String& getName() const { return name; }
    host::Texture* getHostTexture() const { return texture; }
    // Size in pixels (the meta data is read on first need).
    int getWidth() const;
    int getHeight() const;

    void load();
    void unload();
    bool isLoaded() const;
    // Seconds of the library clock when it was last drawn.
    double getLastUseTime() const { return lastUseTime; }
    void markUsed();

private:
    void ensureMetaData() const;

    kit::String name;
    host::Texture* texture;
    double lastUseTime = 0.0;
};

}  // namespace gui
