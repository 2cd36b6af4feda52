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
// The names of the controller's confirm, back and undo buttons as printed on the controller in use,
// as tokens of a composite text key: "{A}", "{B}", "{Y}" or "gui.PadCross", "gui.PadCircle" …
kit::Array<kit::String> padButtonNames();
// Whether the controller is what the player uses now.
bool isControllerInUse();

}  // namespace System
