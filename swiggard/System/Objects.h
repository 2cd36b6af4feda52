#pragma once

#include <host/Color.h>
#include <kit/Types.h>
#include <ventrel/system/Context.h>

#include <functional>

namespace Game {
class Player;
}

// Small changes to a screen's objects by name. A name the data set lacks changes nothing: the
// screen's contract reports it once, and the game goes on.
namespace System {

// The name of a numbered slot object: "label_drinks_" and 3 give "label_drinks_3".
inline kit::String slotName(const char* prefix, int index) {
    return prefix + std::to_string(index);
}

// A text shown as it is inside a composite text key: "{%f} gui.LogRoll " + literal(name).
inline kit::String literal(const kit::String& text) {
    return "{" + text + "}";
}

// An edit box that ends the typing on Enter (it gives up the focus with the click sound) and runs
// `left` whenever it loses the focus, by Enter, a click elsewhere or the focus moving on.
void watchEditBox(ventrel::system::Context* screen, const kit::String& name, std::function<void()> left);
// Focus gained, for looks that change while a box is typed into.
void onEditBoxFocus(ventrel::system::Context* screen, const kit::String& name, std::function<void()> gained);

// Labels, and buttons that carry text.
void setText(const ventrel::system::Context* screen, const kit::String& name, const kit::String& text);
void setTextKey(const ventrel::system::Context* screen, const kit::String& name, const kit::String& key);
// Text typed by players, shown exactly as typed: escaped for a label's mark-up, as it is in an edit box.
void setPlainText(const ventrel::system::Context* screen, const kit::String& name, const kit::String& text);
// The text a label shows or an edit box holds; empty for other objects.
kit::String getLabelText(const ventrel::system::Context* screen, const kit::String& name);
void setTextColor(const ventrel::system::Context* screen, const kit::String& name, const host::Color& color);
// An image box's picture, or a button's picture with its "_hover" and "_pushed" versions.
void setImage(const ventrel::system::Context* screen, const kit::String& name, const kit::String& image);
// The picture an image box or a button shows; empty for other objects.
kit::String getImage(const ventrel::system::Context* screen, const kit::String& name);
// A long text in a scroll area: the label and the area's content become as tall as the text.
void fitTextToScrollArea(const ventrel::system::Context* screen, const kit::String& label,
                         const kit::String& area);
// A list in a scroll area: the area's content becomes as tall as that many rows, spaced as far apart
// as the second row stands from the first.
void fitScrollContent(const ventrel::system::Context* screen, const kit::String& area,
                      const kit::String& secondRow, int rows);
void setVisible(const ventrel::system::Context* screen, const kit::String& name, bool visible);
// The player's mark in an image box; none hides it.
void showMark(const ventrel::system::Context* screen, const kit::String& name, const Game::Player* player);
// A heading's mark: the image box moves to just left of the centred text of the label `heading`.
void showMarkBeside(const ventrel::system::Context* screen, const kit::String& name,
                    const kit::String& heading, const Game::Player* player);
void setEnabled(const ventrel::system::Context* screen, const kit::String& name, bool enabled);
bool isVisible(const ventrel::system::Context* screen, const kit::String& name);
bool isAnimating(const ventrel::system::Context* screen, const kit::String& name);

}  // namespace System
