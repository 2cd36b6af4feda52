#pragma once

#include <kit/Stream.h>
#include <kit/Types.h>

#include "serial/Serializable.h"

// Reading and writing object graphs. An object reached through several pointers is stored once and
// read back as one object. Readers match variables by name: unknown ones are skipped and missing ones
// keep the values the constructor gave. A failed read returns null, logs why under the tag "serial"
// and frees whatever it had built.
namespace serial {

// Appends the binary form of the graph to the stream. False (nothing written) for a null root or an
// object whose class is not registered with the factory.
bool serialize(kit::Stream& stream, Serializable* root);
// Reads one graph from the stream's read position and leaves the position after it (after a failure
// the position is unspecified). *root receives the new root object, or null on failure; what *root
// pointed to before is left alone.
bool deserialize(kit::Stream& stream, Serializable** root);

// The XML form; "" / null on failure.
kit::String toXml(Serializable* root);
Serializable* fromXml(const kit::String& text);

// Files: ".srb" holds the binary form, ".srx" the XML form; other extensions are refused.
bool saveFile(const kit::String& path, Serializable* root);
Serializable* loadFile(const kit::String& path);

}  // namespace serial
