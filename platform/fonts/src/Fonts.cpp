#include "fonts/Fonts.h"

#include <SDL2/SDL_ttf.h>

#include "kit/Log.h"

namespace fonts {

namespace {
// The game starts and stops the layer twice; only the outermost pair does the work.
int initCount = 0;
}  // namespace

bool init() {
    if (initCount > 0) {
        ++initCount;
        return true;
    }
    if (TTF_Init() != 0) {
        kit::Log::error("fonts", kit::String("SDL2_ttf cannot start: ") + TTF_GetError());
        return false;
    }
    ++initCount;
    renderer = new Renderer();
    return true;
}

void destroy() {
    if (initCount == 0 || --initCount > 0) {
        return;
    }
    delete renderer;
    renderer = nullptr;
    TTF_Quit();
}

}  // namespace fonts
