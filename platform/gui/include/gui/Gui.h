#pragma once

#include "gui/Dataset.h"
#include "kit/Strings.h"
#include "kit/Types.h"
#include "quadrix/Rectangle.h"
#include "quadrix/Vector2.h"

// The GUI library: data sets of object trees, images, text and localization over the host and fonts
// layers. Log lines carry the tag "gui". Text typed by players is escaped with kit::escapeText before
// it goes into mark-up or a composite key.
namespace gui {

// Starts the library (host and fonts must be started); false when the render system is missing.
bool init();
// Forgets the settings and the cursor image; data sets are deleted by their owners.
void destroy();
bool isInitialized();

// The viewport: the rectangle of GUI units the screens are laid out in.
void setViewport(const quadrix::Rectangle& viewport);
const quadrix::Rectangle& getViewport();
// Fits the viewport into the window keeping its aspect (letterboxed when `letterbox`, else
// stretched over the whole window) and sets the render system's projection to it.
void updateViewportPosition(const quadrix::Rectangle& viewport, bool letterbox = true);
// The window pixels the viewport occupies.
const quadrix::Rectangle& getViewportPixels();

// The cursor in GUI units, read from the window.
void updateCursorPosition();
const quadrix::Vector2& getCursorPosition();
// Sets the cursor directly (tests and tools).
void setCursorPosition(const quadrix::Vector2& guiPosition);
// An image name as data sets take it ("" for none); the image's top-left corner is the hot spot.
void setCursorImage(const kit::String& name);
const kit::String& getCursorImage();
void drawCursor();

// Languages: folder names of the text folders ("en", "zh-HANT").
void setLocalization(const kit::String& localization);
const kit::String& getLocalization();
void setSupportedLocalizations(const kit::Array<kit::String>& localizations);
const kit::Array<kit::String>& getSupportedLocalizations();
void setDefaultLocalization(const kit::String& localization);
const kit::String& getDefaultLocalization();
// Grows whenever texts change, so labels know to look their keys up again.
unsigned int getTextGeneration();

// Hover looks of buttons (off in touch mode).
void setHoverEffectEnabled(bool enabled);
bool isHoverEffectEnabled();
// Outlines and names of every object drawn over the screens.
void setDebugEnabled(bool enabled);
bool isDebugEnabled();
// What labels do with the stand-in values of their layout (sampleText, sampleTextKey), which the
// screens replace with the game's own: the game leaves them out, the viewer and the gallery show them,
// and a test marks them with SampleMark to find any that a player could see. Applied when a data set
// is loaded.
enum class SampleMode { Off, Shown, Marked };
inline const char* const SampleMark = "<<sample>>";
void setSampleMode(SampleMode mode);
SampleMode getSampleMode();

// Textures not drawn for this many seconds are unloaded by unloadUnusedResources (0: never).
void setTextureIdleUnloadTime(float seconds);
float getTextureIdleUnloadTime();
// 0: pictures load when first drawn; 1: when their image is looked up; 2: as 1 but decoded on a
// worker thread.
void setDefaultTextureLoadMode(int mode);
int getDefaultTextureLoadMode();
// Picture variants tried before the plain file: "yes" + prefix + extension, with the pixels per GUI
// unit of each prefix (".ld" with 2.0 is a picture of twice the resolution).
void setTextureExtensionPrefixes(const kit::Array<kit::String>& prefixes, const kit::Array<float>& scales);
// Moves the focused edit box into view while an on-screen keyboard covers the bottom of the screen.
void setUseKeyboardAutoOffset(bool enabled);
bool isUseKeyboardAutoOffset();
// Tell the library about the on-screen keyboard (host's onVirtualKeyboardChanged).
void setVirtualKeyboard(bool visible, float heightRatio);
// The vertical shift (GUI units, <= 0) the auto offset applies now.
float getKeyboardOffset();
void unloadUnusedResources();
// Delivers the queued events of every data set.
void processEvents();

// The loaded resource set of that name (null when there is none).
Dataset* getDataset(const kit::String& name);
// Seconds since init (the clock of texture use).
double getTime();

}  // namespace gui
