#pragma once

// Internal to the host layer: it speaks SDL.
#include <SDL.h>

#include <cstddef>
#include <map>
#include <set>
#include <tuple>

namespace host {

// Pictures drawn at another size than their own, kept scaled for the software renderer. SDL scales
// such a picture into a fresh surface at every draw before blending it, which costs a moving board
// most of its frame; drawn from a kept copy, the same pixels cost a plain blend. Copies are made only
// for what moves: a part drawn at the same size in two frames shown one after the other. A copy lives
// while every shown frame draws it, and all go when the screen has been still for a while, so a still
// screen holds none.
class ScaledCopies {
public:
    static constexpr size_t DefaultBudget = 32u << 20;
    static constexpr int StillFramesBeforeFreeing = 30;
    static constexpr SDL_Color White{255, 255, 255, 255};

    explicit ScaledCopies(size_t budget = DefaultBudget) : budget(budget) {}
    ScaledCopies(const ScaledCopies&) = delete;
    ScaledCopies& operator=(const ScaledCopies&) = delete;

    // The part `source` of `texture` at `width` × `height` pixels with its colours tinted by `tint`
    // (its alpha stays the picture's), or null when there is none to use. Tinting at every draw costs
    // SDL's software blitter more than twice a plain blend, so a tinted picture is worth a copy even
    // at its own size. A copy is made on a render target; SDL gives the window back its viewport and
    // clipping after.
    SDL_Texture* get(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& source, int width,
                     int height, SDL_Color tint = White);
    // After a frame was drawn and shown: frees the copies it did not draw.
    void shownFrame();
    // After a frame that was not drawn because nothing changed.
    void keptFrame();
    // Frees the copies of a texture that goes.
    void forget(SDL_Texture* texture);
    void clear();

    size_t getBytes() const { return bytes; }
    size_t getCount() const { return copies.size(); }

private:
    using Key = std::tuple<SDL_Texture*, int, int, int, int, int, int, Uint32>;
    struct Copy {
        SDL_Texture* texture = nullptr;
        size_t bytes = 0;
        bool used = true;
    };

    static SDL_Texture* make(SDL_Renderer* renderer, SDL_Texture* texture, const SDL_Rect& source, int width,
                             int height, SDL_Color tint);
    void drop(std::map<Key, Copy>::iterator it);

    size_t budget;
    size_t bytes = 0;
    int stillFrames = 0;
    std::map<Key, Copy> copies;
    // Scaled parts without a copy drawn by the last shown frame, and by this one.
    std::set<Key> wanted;
    std::set<Key> wantedNow;
};

}  // namespace host
