#include "System/PlayerNames.h"

#include <fonts/Fonts.h>
#include <fonts/Renderer.h>
#include <kit/Strings.h>

namespace System {

bool fitsNameWidth(const kit::String& name) {
    return !fonts::renderer || fonts::renderer->getTextWidth(kit::escapeText(name), NameFont) <= NameWidth;
}

kit::String shortenedName(const kit::String& name) {
    if (fitsNameWidth(name)) {
        return name;
    }
    const kit::String mark = "\u2026";
    kit::String kept = name;
    while (!kept.empty() && !fitsNameWidth(kept + mark)) {
        kit::eraseLastCharacter(kept);
    }
    return kit::trim(kept) + mark;
}

}  // namespace System
