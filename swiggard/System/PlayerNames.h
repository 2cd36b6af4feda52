#pragma once

#include <kit/Types.h>

// How wide a player's name may be: as wide as the turn banner shows it ("label_current_player" of
// menu/ingame/gui.gui, which a test holds to these values). The name field stops there; a name from
// elsewhere (an older profile, a phone) is cut at a character with an ellipsis wherever it is shown.
namespace System {

inline const char* const NameFont = "special:0.6";
constexpr float NameWidth = 384.0f;

// Whether the name, drawn as typed, fits the banner.
bool fitsNameWidth(const kit::String& name);
// The name, or as much of it as fits the banner followed by "…".
kit::String shortenedName(const kit::String& name);

}  // namespace System
