#pragma once

#include <host/Color.h>
#include <kit/Types.h>
#include <ventrel/system/Context.h>

// Small changes to a screen's objects by name. A name the data set lacks changes nothing: the
// screen's contract reports it once, and the game goes on.
namespace System {

// The name of a numbered slot object: "label_drinks_" and 3 give "label_drinks_3".
inline kit::String slotName(const char* prefix, int index) {
    return prefix + std::to_string(index);
}

// Labels, and buttons that carry text.
void setText(const ventrel::system::Context* screen, const kit::String& name, const kit::String& text);
void setTextKey(const ventrel::system::Context* screen, const kit::String& name, const kit::String& key);
void setTextColor(const ventrel::system::Context* screen, const kit::String& name, const host::Color& color);
// An image box's picture, or a button's picture with its "_hover" and "_pushed" versions.
void setImage(const ventrel::system::Context* screen, const kit::String& name, const kit::String& image);
// The picture an image box or a button shows; empty for other objects.
kit::String getImage(const ventrel::system::Context* screen, const kit::String& name);
void setVisible(const ventrel::system::Context* screen, const kit::String& name, bool visible);
void setEnabled(const ventrel::system::Context* screen, const kit::String& name, bool enabled);
bool isVisible(const ventrel::system::Context* screen, const kit::String& name);
bool isAnimating(const ventrel::system::Context* screen, const kit::String& name);

}  // namespace System
