#pragma once

#include <cstdint>

#include "kit/Types.h"

namespace host {

class RenderSystem;

// A picture the render system can draw. Made by RenderSystem::createTextureFromResource (an image
// file, loaded on demand) or createTextureFromPixels (RGBA bytes, loaded at once). The creator owns
// it and deletes it with delete. Main thread only.
class Texture {
public:
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Resource name of the image file; "" for a texture made from pixels.
    const kit::String& getFilename() const { return filename; }
    // Size in pixels; 0 until the meta data or the picture was loaded.
    int getWidth() const { return width; }
    int getHeight() const { return height; }

    // Reads the picture's size without keeping its pixels. False when the file cannot be read.
    bool loadMetaData();
    // Loads the picture now (also cancels a queued asynchronous load). False when it cannot be read;
    // such a texture draws nothing and is not tried again.
    bool load();
    // Decodes the picture on a worker thread; it is uploaded at the start of a later frame (at most
    // host::setMaxAsyncTextureUploadsPerFrame per frame). A frame that draws a picture still waiting
    // moves it ahead of the pictures only looked up, and it is uploaded beyond that budget: what is on
    // screen now comes first. False when it is loaded already or failed.
    bool loadAsync();
    // Frees the pixels; a later draw or load loads them again. Textures made from pixels keep theirs.
    void unload();
    bool isLoaded() const { return handle != nullptr; }
    bool isAsyncLoadQueued() const { return asyncQueued; }
    bool isFailed() const { return failed; }

    // The SDL_Texture, for platform layers (null while not loaded).
    void* getHandle() const { return handle; }

private:
    friend class RenderSystem;
    friend struct RenderSystemInternals;
    Texture(RenderSystem* owner, uint64_t serial, const kit::String& filename);

    RenderSystem* owner;
    uint64_t serial;
    kit::String filename;
    int width = 0;
    int height = 0;
    void* handle = nullptr;
    bool fromPixels = false;
    bool asyncQueued = false;
    // A frame wanted to draw it while it waited.
    bool wanted = false;
    bool failed = false;
};

}  // namespace host
