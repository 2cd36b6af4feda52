#include "FrameKeeper.h"

namespace host {

bool FrameKeeper::keep(uint64_t hash, bool mustShow) {
    if (mustDraw || mustShow || hash != shownHash || framesKept >= MaxFramesKept) {
        return false;
    }
    ++framesKept;
    ++stats.kept;
    return true;
}

void FrameKeeper::shown(uint64_t hash) {
    shownHash = hash;
    mustDraw = false;
    framesKept = 0;
    ++stats.drawn;
}

}  // namespace host
