#pragma once

#include <cstdint>

#include "host/RenderSystem.h"

namespace host {

// Decides whether a frame is drawn and shown or kept: a frame whose drawing hashes the same as the
// last shown one's is kept, so a still screen costs almost nothing. It knows no renderer; the render
// system hashes its frame's commands and asks.
class FrameKeeper {
public:
    // Whatever happens, a kept frame is drawn again after this many frames: should the desktop have
    // lost the window's picture without telling (it tells by an expose event, which redraws at once),
    // it comes back within five seconds. More often would cost a still screen on a graphics driver
    // that draws in software more than a hundredth of a core.
    static constexpr int MaxFramesKept = 300;

    // Whether the frame of that hash may be kept; a kept frame is counted. `mustShow` is a frame that
    // has to be shown whatever it holds, such as one a screenshot waits for.
    bool keep(uint64_t hash, bool mustShow);
    // The frame of that hash was drawn and shown.
    void shown(uint64_t hash);
    // The next frame is drawn whatever it holds (what was shown may be gone).
    void redrawNext() { mustDraw = true; }
    const RenderSystem::FrameStats& getStats() const { return stats; }

private:
    uint64_t shownHash = 0;
    bool mustDraw = true;
    int framesKept = 0;
    RenderSystem::FrameStats stats;
};

}  // namespace host
