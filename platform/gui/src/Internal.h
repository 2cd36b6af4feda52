#pragma once

#include "gui/Dataset.h"
#include "kit/Types.h"
#include "quadrix/Matrix3.h"
#include "quadrix/Rectangle.h"

// What the library's parts share behind the public headers.
namespace gui {
class Object;
}

namespace gui::internal {

inline const char* const Tag = "gui";

// Every data set alive is known, in creation order (events, language changes, idle textures).
void addDataset(Dataset* dataset);
void removeDataset(Dataset* dataset);
// An object deleted while outside every tree: the animators still aimed at it go.
void forgetAnimatorTarget(const Object* object);
// A style declared by a loaded resource set other than `asking`, in load order; null when none has it.
const kit::Map<kit::String, kit::String>* findSharedStyle(const kit::String& name, const Dataset* asking);

// Labels look their keys up again (a data set with texts was loaded or unloaded).
void textsChanged();

// Picture variants (setTextureExtensionPrefixes).
const kit::Array<kit::String>& getTexturePrefixes();
const kit::Array<float>& getTextureScales();

// Resolves a label's text key: a plain key, a literal in braces or a composite key. Literal parts keep
// their escaping when `keepEscapes` (the text goes through the mark-up parser), else are unescaped.
// `local` is the data set of the label (null: resource sets only).
kit::String resolveTextKey(const kit::String& key, const Dataset* local, bool keepEscapes);
// The text of a plain key, or null: "set.Key" in that resource set, else in `local`.
const kit::String* findText(const kit::String& key, const Dataset* local);
// Logs a missing key once per key.
void reportMissingKey(const kit::String& key);

// Reads <folder>/<language>/*.xml into the map; malformed files are logged and skipped.
void loadTexts(const kit::String& folder, const kit::String& language,
               kit::Map<kit::String, kit::String>& texts);

// The axis-aligned box around a rectangle carried through a matrix (a turned rectangle's corners).
quadrix::Rectangle boundingBox(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area);

// Line number (1-based) of a byte offset in a text.
int lineOfOffset(const kit::String& text, long long offset);

// UTF-8 helpers for edit boxes.
kit::String encodeUtf8(unsigned int codePoint);
// Byte offsets of the starts of every code point, plus the end.
kit::Array<size_t> codePointOffsets(const kit::String& utf8);

}  // namespace gui::internal

namespace gui {
class BaseImage;
class Object;
}  // namespace gui

namespace gui::internal {

// An image by name for an object: through its data set, or through the resource sets when it is not
// attached yet. "" gives null; a missing name raises kit::ResourceNotExistsException.
BaseImage* lookupImage(const Object* object, const kit::String& name);

}  // namespace gui::internal
