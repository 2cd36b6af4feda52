#include "RenderCache.h"

namespace fonts {

RenderCache::RenderCache(size_t maxEntries, size_t maxBytes) : maxEntries(maxEntries), maxBytes(maxBytes) {}

RenderCache::~RenderCache() {
    clear();
}

const RenderedText* RenderCache::find(const kit::String& key) {
    auto found = index.find(key);
    if (found == index.end()) {
        return nullptr;
    }
    entries.splice(entries.begin(), entries, found->second);
    return &found->second->text;
}

const RenderedText* RenderCache::insert(const kit::String& key, const RenderedText& text, size_t bytes) {
    auto found = index.find(key);
    if (found != index.end()) {
        erase(found->second);
    }
    entries.push_front(Entry{key, text, bytes});
    index[key] = entries.begin();
    totalBytes += bytes;
    evict();
    return &entries.front().text;
}

void RenderCache::clear() {
    while (!entries.empty()) {
        erase(std::prev(entries.end()));
    }
}

void RenderCache::setLimits(size_t entriesLimit, size_t bytesLimit) {
    maxEntries = entriesLimit;
    maxBytes = bytesLimit;
    evict();
}

void RenderCache::evict() {
    while (entries.size() > 1 && (entries.size() > maxEntries || totalBytes > maxBytes)) {
        erase(std::prev(entries.end()));
    }
}

void RenderCache::erase(Iterator entry) {
    delete entry->text.texture;
    totalBytes -= entry->bytes;
    index.erase(entry->key);
    entries.erase(entry);
}

}  // namespace fonts
