#pragma once

#include <list>
#include <unordered_map>

#include "fonts/RenderedText.h"
#include "kit/Types.h"

namespace fonts {

// Rendered labels by key, least recently used dropped first once there are more than maxEntries or
// more than maxBytes of pixels; the newest entry always stays. Owns the textures.
class RenderCache {
public:
    RenderCache(size_t maxEntries, size_t maxBytes);
    ~RenderCache();
    RenderCache(const RenderCache&) = delete;
    RenderCache& operator=(const RenderCache&) = delete;

    // Null when the key is not cached; a hit becomes the most recent entry.
    const RenderedText* find(const kit::String& key);
    const RenderedText* insert(const kit::String& key, const RenderedText& text, size_t bytes);
    void clear();
    void setLimits(size_t maxEntries, size_t maxBytes);

    size_t size() const { return entries.size(); }
    size_t bytes() const { return totalBytes; }

private:
    struct Entry {
        kit::String key;
        RenderedText text;
        size_t bytes;
    };
    using Iterator = std::list<Entry>::iterator;

    void evict();
    void erase(Iterator entry);

    size_t maxEntries;
    size_t maxBytes;
    size_t totalBytes = 0;
    // Most recent first.
    std::list<Entry> entries;
    std::unordered_map<kit::String, Iterator> index;
};

}  // namespace fonts
