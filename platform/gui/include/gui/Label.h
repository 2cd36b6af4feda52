#pragma once

#include "fonts/Effect.h"
#include "fonts/Horizontal.h"
#include "fonts/TextStyle.h"
#include "fonts/Vertical.h"
#include "gui/Object.h"

namespace gui {

// Text in a rectangle: either a literal text or a text key resolved against the data sets' texts in
// the current language (composite keys included, see data/gui/README.md). A key without a text shows
// the key itself. With mark-up on (the default) the text may carry [c=..] and [b=..] tags and
// backslash escapes; text typed by players must be escaped with kit::escapeText before it is put into
// mark-up or a composite key.
class Label : public Object {
public:
    explicit Label(const kit::String& name) : Object(name) {}
    const char* getKindName() const override { return "Label"; }

    // A literal text; clears the text key.
    void setText(const kit::String& text);
    // The text as shown (the key resolved in the current language).
    const kit::String& getText() const;
    const kit::String& getTextKey() const { return textKey; }
    // Shows the text of a key (or composite key); clears the literal text.
    void setTextKey(const kit::String& key);
    // As setTextKey, but also logs when the key (not a composite key) has no text; false then.
    bool trySetTextKey(const kit::String& key);

    const fonts::TextStyle& getStyle() const { return style; }
    void setStyle(const fonts::TextStyle& style) { this->style = style; }
    const kit::String& getFont() const { return style.font; }
    void setFont(const kit::String& font) { style.font = font; }
    const host::Color& getTextColor() const { return style.color; }
    void setTextColor(const host::Color& color) { style.color = color; }
    fonts::Horizontal getAlignment() const { return style.horizontal; }
    void setAlignment(fonts::Horizontal horizontal) { style.horizontal = horizontal; }
    fonts::Vertical getVerticalAlignment() const { return style.vertical; }
    void setVerticalAlignment(fonts::Vertical vertical) { style.vertical = vertical; }
    fonts::Effect getEffect() const { return style.effect; }
    void setEffect(fonts::Effect effect) { style.effect = effect; }
    const host::Color& getEffectColor() const { return style.effectColor; }
    void setEffectColor(const host::Color& color) { style.effectColor = color; }
    // A border in the colour (the effect becomes Border).
    void setBorderColor(const host::Color& color);
    bool isMarkup() const { return style.markup; }
    void setMarkup(bool markup) { style.markup = markup; }
    // A single line too wide for the label is cut and ends in "…" (names that must fit their box).
    bool isEllipsis() const { return style.ellipsis; }
    void setEllipsis(bool ellipsis) { style.ellipsis = ellipsis; }
    // Text too tall for the label is drawn smaller, down to this share of its size (1: never).
    float getShrinkLimit() const { return style.shrinkLimit; }
    void setShrinkLimit(float limit) { style.shrinkLimit = limit; }

    // Size of the shown text in GUI units, in the label's font (height at the label's width).
    float getTextWidth() const;
    float getTextHeight() const;

protected:
    void _draw(const quadrix::Matrix3& matrix, float alpha) override;
    // Draws a text in the label's style over the rectangle.
    void _drawText(const kit::String& text, const fonts::TextStyle& style, const quadrix::Matrix3& matrix,
                   const quadrix::Rectangle& area, float alpha) const;

private:
    kit::String text;
    kit::String textKey;
    fonts::TextStyle style;
    mutable kit::String resolved;
    mutable unsigned int resolvedGeneration = 0;
};

}  // namespace gui
