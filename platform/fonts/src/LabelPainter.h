#pragma once

#include <array>
#include <optional>

#include "fonts/Bitmap.h"
#include "fonts/Font.h"
#include "fonts/Markup.h"
#include "fonts/TextStyle.h"
#include "quadrix/Rectangle.h"
#include "quadrix/Vector2.h"

namespace fonts {

// Lays a label's text out and paints it into a bitmap: shadows first, then borders, then the glyphs,
// so that no outline covers a neighbouring letter.
class LabelPainter {
public:
    struct Settings {
        float pixelScale = 1.0f;
        float borderThickness = 2.0f;
        quadrix::Vector2 shadowOffset;
        bool ideographBreaks = false;
    };

    LabelPainter(Font& font, const Settings& settings);

    // The text's picture and where it goes in the label (0, 0, width, height) in GUI units; nothing when
    // no pixel would be visible. The horizontal alignment is already resolved (not the justified default).
    std::optional<Bitmap> paint(const kit::String& text, const TextStyle& style, Horizontal horizontal,
                                float width, float height, quadrix::Rectangle& area);

private:
    enum Layer { Shadow, Border, Fill, LayerCount };
    struct Stamp {
        size_t mask;
        int x;
        int y;
        host::Color color;
    };

    void addPiece(const kit::String& text, const Markup::Span& span, const TextStyle& style, int x, int y);
    void addStamp(Layer layer, Mask&& mask, int x, int y, const host::Color& color);
    std::optional<Bitmap> compose(quadrix::Rectangle& area) const;

    Font& font;
    Settings settings;
    int pixelSize;
    kit::Array<Mask> masks;
    std::array<kit::Array<Stamp>, LayerCount> layers;
};

}  // namespace fonts
