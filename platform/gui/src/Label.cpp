#include "gui/Label.h"

#include "Internal.h"
#include "fonts/Renderer.h"
#include "gui/Gui.h"
#include "host/RenderSystem.h"
#include "kit/Log.h"

namespace gui {

void Label::setText(const kit::String& newText) {
    text = newText;
    textKey.clear();
    resolvedGeneration = 0;
}

void Label::setTextKey(const kit::String& key) {
    textKey = key;
    text.clear();
    resolvedGeneration = 0;
}

bool Label::trySetTextKey(const kit::String& key) {
    setTextKey(key);
    bool composite = !key.empty() && (key[0] == '{' || key.find(' ') != kit::String::npos);
    if (composite || key.empty() || internal::findText(key, getDataset()) != nullptr) {
        return true;
    }
    internal::reportMissingKey(key);
    return false;
}

const kit::String& Label::getText() const {
    if (textKey.empty()) {
        return text;
    }
    if (resolvedGeneration != getTextGeneration()) {
        resolved = internal::resolveTextKey(textKey, getDataset(), style.markup);
        resolvedGeneration = getTextGeneration();
    }
    return resolved;
}

void Label::setBorderColor(const host::Color& color) {
    style.effect = fonts::Effect::Border;
    style.effectColor = color;
}

float Label::getTextWidth() const {
    if (fonts::renderer == nullptr) {
        return 0.0f;
    }
    const kit::String& shown = getText();
    return fonts::renderer->getTextWidth(style.markup ? shown : kit::escapeText(shown), style.font);
}

float Label::getTextHeight() const {
    if (fonts::renderer == nullptr) {
        return 0.0f;
    }
    const kit::String& shown = getText();
    return fonts::renderer->getTextHeight(style.markup ? shown : kit::escapeText(shown), style.font,
                                          getWidth(), style.horizontal);
}

void Label::_draw(const quadrix::Matrix3& matrix, float alpha) {
    _drawText(getText(), style, matrix, quadrix::Rectangle(0, 0, getWidth(), getHeight()), alpha);
}

void Label::_drawText(const kit::String& shown, const fonts::TextStyle& textStyle,
                      const quadrix::Matrix3& matrix, const quadrix::Rectangle& area, float alpha) const {
    if (shown.empty() || fonts::renderer == nullptr || host::rendersys == nullptr) {
        return;
    }
    const fonts::RenderedText* rendered = fonts::renderer->render(shown, textStyle, area.w, area.h);
    if (rendered == nullptr || rendered->texture == nullptr) {
        return;
    }
    quadrix::Rectangle target = rendered->area + area.getPosition();
    host::RenderSystem::Quad corners = {matrix * target.getTopLeft(), matrix * target.getTopRight(),
                                        matrix * target.getBottomRight(), matrix * target.getBottomLeft()};
    host::RenderSystem::Quad uvs = {quadrix::Vector2(0, 0), quadrix::Vector2(1, 0), quadrix::Vector2(1, 1),
                                    quadrix::Vector2(0, 1)};
    unsigned char a = static_cast<unsigned char>(255.0f * alpha);
    host::rendersys->drawQuad(rendered->texture, corners, uvs, host::Color(255, 255, 255, a));
}

}  // namespace gui
