#include "LabelPainter.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "TextLayout.h"
#include "kit/Log.h"

namespace fonts {

namespace {

// Larger labels are cut: textures this wide or high are the most every renderer takes.
constexpr int MaxSide = 4096;

host::Color faded(const host::Color& color, unsigned char alpha) {
    return host::Color(color, static_cast<unsigned char>((color.a * alpha + 127) / 255));
}

float horizontalOffset(Horizontal horizontal, float labelWidth, int lineWidth) {
    switch (horizontal) {
        case Horizontal::Center:
        case Horizontal::CenterWrapped:
            return (labelWidth - lineWidth) * 0.5f;
        case Horizontal::Right:
        case Horizontal::RightWrapped:
            return labelWidth - lineWidth;
        default:
            return 0.0f;
    }
}

float verticalOffset(Vertical vertical, float labelHeight, float blockHeight) {
    switch (vertical) {
        case Vertical::Center:
            return (labelHeight - blockHeight) * 0.5f;
        case Vertical::Bottom:
            return labelHeight - blockHeight;
        default:
            return 0.0f;
    }
}

bool isBlank(const kit::String& text) {
    return text.find_first_not_of(' ') == kit::String::npos;
}

}  // namespace

LabelPainter::LabelPainter(Font& font, const Settings& settings)
    : font(font), settings(settings), pixelSize(font.getPixelSize(settings.pixelScale)) {}

std::optional<Bitmap> LabelPainter::paint(const kit::String& text, const TextStyle& style,
                                          Horizontal horizontal, float width, float height,
                                          quadrix::Rectangle& area) {
    float scale = settings.pixelScale;
    auto spans = style.markup ? Markup::parse(text) : kit::Array<Markup::Span>{Markup::Span{text, {}, {}}};
    int labelWidth = static_cast<int>(width * scale + 0.001f);
    int maxWidth = isWrapped(horizontal) ? labelWidth : 0;
    // A text too tall for the label steps down in size, as far as the style allows.
    int baseSize = pixelSize;
    kit::Array<TextLayout::Line> lines;
    float lineHeight = 0.0f;
    for (float shrink = 1.0f;; shrink = std::max(shrink - 0.05f, style.shrinkLimit)) {
        pixelSize = std::max(1, static_cast<int>(std::lround(static_cast<float>(baseSize) * shrink)));
        TextLayout layout(font, pixelSize, settings.ideographBreaks);
        lines = layout.layout(spans, maxWidth, horizontal == Horizontal::Justified);
        if (style.ellipsis && maxWidth == 0) {
            for (TextLayout::Line& line : lines) {
                layout.ellipsize(line, labelWidth);
            }
        }
        lineHeight = font.getUnitLineHeight() * scale * pixelSize / static_cast<float>(baseSize);
        if (shrink <= style.shrinkLimit ||
            lineHeight * static_cast<float>(lines.size()) <= height * scale + 0.5f) {
            break;
        }
    }
    // Each line's font box (ascent and descent) is centred in the line's height.
    float boxOffset = (lineHeight - font.getAscent(pixelSize) - font.getDescent(pixelSize)) * 0.5f;
    float top = verticalOffset(style.vertical, height * scale, lineHeight * lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        int x = static_cast<int>(std::lround(horizontalOffset(horizontal, width * scale, lines[i].width)));
        int y = static_cast<int>(std::lround(top + lineHeight * i + boxOffset));
        for (const TextLayout::Piece& piece : lines[i].pieces) {
            addPiece(piece.text, spans[piece.span], style, x + piece.x, y);
        }
    }
    return compose(area);
}

void LabelPainter::addPiece(const kit::String& text, const Markup::Span& span, const TextStyle& style, int x,
                            int y) {
    Mask fill;
    if (isBlank(text) || !font.rasterize(text, pixelSize, 0, fill)) {
        return;
    }
    unsigned char alpha = style.color.a;
    std::optional<host::Color> border = span.border;
    if (!border && style.effect == Effect::Border) {
        border = style.effectColor;
    }
    int outline = std::max(1, static_cast<int>(std::lround(settings.borderThickness * settings.pixelScale)));
    Mask outlined;
    if (border && font.canOutline() && font.rasterize(text, pixelSize, outline, outlined)) {
        addStamp(Border, std::move(outlined), x - outline, y - outline, faded(*border, alpha));
    } else if (!border && style.effect == Effect::Shadow) {
        int dx = static_cast<int>(std::lround(settings.shadowOffset.x * settings.pixelScale));
        int dy = static_cast<int>(std::lround(settings.shadowOffset.y * settings.pixelScale));
        addStamp(Shadow, Mask(fill), x + dx, y + dy, faded(style.effectColor, alpha));
    }
    addStamp(Fill, std::move(fill), x, y, span.color ? faded(*span.color, alpha) : style.color);
}

void LabelPainter::addStamp(Layer layer, Mask&& mask, int x, int y, const host::Color& color) {
    masks.push_back(std::move(mask));
    layers[layer].push_back(Stamp{masks.size() - 1, x, y, color});
}

std::optional<Bitmap> LabelPainter::compose(quadrix::Rectangle& area) const {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const auto& layer : layers) {
        for (const Stamp& stamp : layer) {
            left = std::min(left, stamp.x);
            top = std::min(top, stamp.y);
            right = std::max(right, stamp.x + masks[stamp.mask].getWidth());
            bottom = std::max(bottom, stamp.y + masks[stamp.mask].getHeight());
        }
    }
    if (left >= right || top >= bottom) {
        return std::nullopt;
    }
    if (right - left > MaxSide || bottom - top > MaxSide) {
        kit::Log::warn("fonts", "A label of " + std::to_string(right - left) + "x" +
                                    std::to_string(bottom - top) + " pixels is cut to " +
                                    std::to_string(MaxSide) + " pixels a side");
        right = std::min(right, left + MaxSide);
        bottom = std::min(bottom, top + MaxSide);
    }
    Bitmap bitmap(right - left, bottom - top);
    for (const auto& layer : layers) {
        for (const Stamp& stamp : layer) {
            bitmap.paint(masks[stamp.mask], stamp.x - left, stamp.y - top, stamp.color);
        }
    }
    bitmap.bleedEdges();
    float scale = settings.pixelScale;
    area = quadrix::Rectangle(left / scale, top / scale, (right - left) / scale, (bottom - top) / scale);
    return bitmap;
}

}  // namespace fonts
