#pragma once

#include <kit/Types.h>

// Moving between the game's screens and out to the web.
namespace System {

// Switches to a registered scene; a scene that is not registered is logged and the current one
// stays, so a missing screen never ends the game.
void goToScene(const kit::String& name);
// The same with the scene manager's transition (kind 0 with the loading picture, 1 colour only).
void goToScene(const kit::String& name, int transitionKind, float startDuration, float finishDuration);
// A value of the configuration's "System" category; empty when it is not there.
kit::String configuredValue(const kit::String& key);
// Opens the web page of a configuration key ("GamesPage", "SocialPage", "ShirtShop") in the desktop's
// browser; an empty key or a desktop without a URL handler costs one log line.
void openConfiguredPage(const kit::String& key);

}  // namespace System
