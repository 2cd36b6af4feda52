#include "gui/EditBox.h"

#include <algorithm>
#include <cmath>

#include "ClipScope.h"
#include "Internal.h"
#include "fonts/Renderer.h"
#include "host/RenderSystem.h"
#include "kit/Strings.h"

namespace gui {

namespace {

constexpr float CaretBlinkPeriod = 1.0f;
constexpr float CaretWidth = 2.0f;
// Room kept between the caret and the right edge.
constexpr float CaretMargin = 4.0f;
// Share of its brightness the placeholder text keeps.
constexpr float PlaceholderAlpha = 0.5f;
const host::Color SelectionColor(80, 140, 255, 110);

void drawRect(const quadrix::Matrix3& matrix, const quadrix::Rectangle& r, const host::Color& color) {
    host::rendersys->drawQuad({matrix * r.getTopLeft(), matrix * r.getTopRight(), matrix * r.getBottomRight(),
                               matrix * r.getBottomLeft()},
                              color);
}

}  // namespace

EditBox::EditBox(const kit::String& name) : Label(name) {
    fonts::TextStyle style = getStyle();
    style.markup = false;
    style.horizontal = fonts::Horizontal::Left;
    style.vertical = fonts::Vertical::Center;
    setStyle(style);
}

int EditBox::length() const {
    return static_cast<int>(internal::codePointOffsets(getText()).size()) - 1;
}

size_t EditBox::byteOffset(int index) const {
    kit::Array<size_t> offsets = internal::codePointOffsets(getText());
    return offsets[std::clamp(index, 0, static_cast<int>(offsets.size()) - 1)];
}

int EditBox::getCaret() const {
    return std::min(caret, length());
}

void EditBox::setCaret(int index, bool extendSelection) {
    caret = std::clamp(index, 0, length());
    if (!extendSelection) {
        anchor = caret;
    }
    blinkTime = 0.0f;
}

kit::String EditBox::getSelectedText() const {
    size_t from = byteOffset(std::min(anchor, caret));
    size_t to = byteOffset(std::max(anchor, caret));
    return getText().substr(from, to - from);
}

void EditBox::selectAll() {
    anchor = 0;
    caret = length();
}

bool EditBox::insertText(const kit::String& utf8) {
    kit::String text = getText();
    int from = std::min(anchor, caret);
    int to = std::max(anchor, caret);
    kit::Array<size_t> inserted = internal::codePointOffsets(utf8);
    int count = static_cast<int>(inserted.size()) - 1;
    if (maxLength > 0) {
        count = std::clamp(maxLength - (length() - (to - from)), 0, count);
    }
    size_t fromByte = byteOffset(from);
    size_t toByte = byteOffset(to);
    auto edited = [&](int characters) {
        kit::String result = text;
        result.replace(fromByte, toByte - fromByte, utf8.substr(0, inserted[characters]));
        return result;
    };
    // As much of what is typed as the acceptor lets stand.
    while (acceptor && count > 0 && !acceptor(edited(count))) {
        --count;
    }
    if (count == 0 && from == to) {
        return false;
    }
    text = edited(count);
    Label::setText(text);
    setCaret(from + count);
    changed();
    return true;
}

bool EditBox::deleteBackward() {
    if (!hasSelection()) {
        if (caret == 0) {
            return false;
        }
        anchor = caret - 1;
    }
    return insertText("");
}

bool EditBox::deleteForward() {
    if (!hasSelection()) {
        if (caret >= length()) {
            return false;
        }
        anchor = caret + 1;
    }
    return insertText("");
}

void EditBox::changed() {
    triggerEvent(Event::TextChanged);
}

bool EditBox::onChar(unsigned int codePoint) {
    bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < 32 || codePoint == 127 || codePoint > 0x10FFFF || surrogate) {
        return false;
    }
    insertText(internal::encodeUtf8(codePoint));
    return true;
}

bool EditBox::onKeyDown(host::Key key, bool shift) {
    switch (key) {
        case host::Key::Backspace:
            deleteBackward();
            return true;
        case host::Key::Delete:
            deleteForward();
            return true;
        case host::Key::Left:
            setCaret(!shift && hasSelection() ? std::min(anchor, caret) : caret - 1, shift);
            return true;
        case host::Key::Right:
            setCaret(!shift && hasSelection() ? std::max(anchor, caret) : caret + 1, shift);
            return true;
        case host::Key::Home:
            setCaret(0, shift);
            return true;
        case host::Key::End:
            setCaret(length(), shift);
            return true;
        default:
            return false;
    }
}

float EditBox::widthOf(int index) const {
    if (fonts::renderer == nullptr || index <= 0) {
        return 0.0f;
    }
    kit::String prefix = getText().substr(0, byteOffset(index));
    return fonts::renderer->getTextWidth(kit::escapeText(prefix), getFont());
}

int EditBox::indexAt(const quadrix::Vector2& guiPosition) const {
    float x = toLocal(guiPosition).x + scroll;
    int best = 0;
    float bestDistance = std::fabs(x);
    for (int index = 1; index <= length(); ++index) {
        float distance = std::fabs(widthOf(index) - x);
        if (distance < bestDistance) {
            best = index;
            bestDistance = distance;
        }
    }
    return best;
}

void EditBox::onPress(const quadrix::Vector2& guiPosition, host::Key) {
    setCaret(indexAt(guiPosition));
}

void EditBox::onDrag(const quadrix::Vector2& guiPosition) {
    setCaret(indexAt(guiPosition), true);
}

void EditBox::onFocusChanged(bool focused) {
    blinkTime = 0.0f;
    if (!focused) {
        anchor = caret;
    }
    Label::onFocusChanged(focused);
}

void EditBox::update(float timeDelta) {
    blinkTime = std::fmod(blinkTime + timeDelta, CaretBlinkPeriod);
    Label::update(timeDelta);
}

void EditBox::_draw(const quadrix::Matrix3& matrix, float alpha) {
    float width = getWidth();
    float height = getHeight();
    const kit::String& text = getText();
    if (text.empty()) {
        scroll = 0.0f;
        if (!emptyTextKey.empty()) {
            fonts::TextStyle placeholder = getStyle();
            placeholder.markup = true;
            _drawText(internal::resolveTextKey(emptyTextKey, getDataset(), true), placeholder, matrix,
                      quadrix::Rectangle(0, 0, width, height), alpha * PlaceholderAlpha);
        }
    } else {
        float caretX = widthOf(getCaret());
        if (caretX - scroll > width - CaretMargin) {
            scroll = caretX - width + CaretMargin;
        } else if (caretX < scroll) {
            scroll = caretX;
        }
        // A text that fits is never shifted: its first letter stays in view.
        scroll = std::clamp(scroll, 0.0f, std::max(widthOf(length()) + CaretWidth - width, 0.0f));
        if (hasSelection() && host::rendersys != nullptr) {
            float from = std::max(widthOf(std::min(anchor, caret)) - scroll, 0.0f);
            float to = std::min(widthOf(std::max(anchor, caret)) - scroll, width);
            drawRect(matrix, quadrix::Rectangle(from, height * 0.15f, to - from, height * 0.7f),
                     host::Color(SelectionColor, static_cast<unsigned char>(SelectionColor.a * alpha)));
        }
        internal::ClipScope clip(matrix, quadrix::Rectangle(0, 0, width, height));
        // Typed text is shown as typed, even where a data set turned mark-up on for the box.
        fonts::TextStyle literal = getStyle();
        literal.markup = false;
        if (clip.isVisible()) {
            _drawText(text, literal, matrix, quadrix::Rectangle(-scroll, 0, width + scroll, height), alpha);
        }
    }
    if (isFocused() && blinkTime < CaretBlinkPeriod * 0.5f && host::rendersys != nullptr) {
        float x = std::clamp(widthOf(getCaret()) - scroll, 0.0f, std::max(width - CaretWidth, 0.0f));
        host::Color color(getTextColor(), static_cast<unsigned char>(getTextColor().a * alpha));
        drawRect(matrix, quadrix::Rectangle(x, height * 0.15f, CaretWidth, height * 0.7f), color);
    }
}

}  // namespace gui
