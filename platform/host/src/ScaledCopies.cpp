#include "ScaledCopies.h"

#include <climits>

namespace host {

SDL_Texture* ScaledCopies::get(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& source,
                               int width, int height, SDL_Color tint) {
    const Uint32 colour = Uint32(tint.r) << 16 | Uint32(tint.g) << 8 | tint.b;
    const Key key{texture, source.x, source.y, source.w, source.h, width, height, colour};
    if (auto it = copies.find(key); it != copies.end()) {
        it->second.used = true;
        return it->second.texture;
    }
    const size_t size = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (width <= 0 || height <= 0 || bytes + size > budget) {
        return nullptr;
    }
    if (wanted.count(key) == 0) {
        wantedNow.insert(key);
        return nullptr;
    }
    SDL_Texture* copy = make(renderer, texture, source, width, height, tint);
    if (copy == nullptr) {
        return nullptr;
    }
    copies[key] = Copy{copy, size, true};
    bytes += size;
    return copy;
}

// Scaled and tinted without blending, so that the copy holds the picture's alpha: the draw that uses
// it blends (and fades) as the picture itself would have been.
SDL_Texture* ScaledCopies::make(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& source,
                                int width, int height, SDL_Color tint) {
    Uint32 format = 0;
    if (SDL_QueryTexture(texture, &format, nullptr, nullptr, nullptr) != 0) {
        return nullptr;
    }
    SDL_Texture* copy = SDL_CreateTexture(renderer, format, SDL_TEXTUREACCESS_TARGET, width, height);
    if (copy == nullptr) {
        return nullptr;
    }
    SDL_Texture* target = SDL_GetRenderTarget(renderer);
    SDL_BlendMode blend = SDL_BLENDMODE_BLEND;
    SDL_GetTextureBlendMode(texture, &blend);
    SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
    SDL_SetTextureColorMod(texture, tint.r, tint.g, tint.b);
    SDL_SetTextureAlphaMod(texture, 255);
    bool drawn =
        SDL_SetRenderTarget(renderer, copy) == 0 && SDL_RenderCopy(renderer, texture, &source, nullptr) == 0;
    SDL_SetRenderTarget(renderer, target);
    SDL_SetTextureBlendMode(texture, blend);
    if (!drawn) {
        SDL_DestroyTexture(copy);
        return nullptr;
    }
    SDL_SetTextureBlendMode(copy, blend);
    return copy;
}

void ScaledCopies::shownFrame() {
    stillFrames = 0;
    for (auto it = copies.begin(); it != copies.end();) {
        auto next = std::next(it);
        if (!it->second.used) {
            drop(it);
        } else {
            it->second.used = false;
        }
        it = next;
    }
    wanted.swap(wantedNow);
    wantedNow.clear();
}

void ScaledCopies::keptFrame() {
    wanted.clear();
    if (++stillFrames == StillFramesBeforeFreeing) {
        clear();
    }
}

void ScaledCopies::forget(SDL_Texture* texture) {
    auto it = copies.lower_bound(Key{texture, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, 0});
    while (it != copies.end() && std::get<0>(it->first) == texture) {
        auto next = std::next(it);
        drop(it);
        it = next;
    }
    // A new texture may take the address: what was wanted of the old one is not wanted of it.
    auto ofTexture = [texture](const Key& key) { return std::get<0>(key) == texture; };
    std::erase_if(wanted, ofTexture);
    std::erase_if(wantedNow, ofTexture);
}

void ScaledCopies::clear() {
    while (!copies.empty()) {
        drop(copies.begin());
    }
    wanted.clear();
    wantedNow.clear();
}

void ScaledCopies::drop(std::map<Key, Copy>::iterator it) {
    SDL_DestroyTexture(it->second.texture);
    bytes -= it->second.bytes;
    copies.erase(it);
}

}  // namespace host
