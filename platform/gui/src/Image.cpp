#include "gui/Image.h"

#include "gui/Texture.h"
#include "host/RenderSystem.h"

namespace gui {

Image::Image(const kit::String& name, Texture* texture, const quadrix::Rectangle& rect, float pixelScale)
    : BaseImage(name), texture(texture), rect(rect), pixelScale(pixelScale > 0.0f ? pixelScale : 1.0f) {}

quadrix::Vector2 Image::getSize() const {
    return quadrix::Vector2(rect.w / pixelScale, rect.h / pixelScale);
}

void Image::draw(const quadrix::Matrix3& matrix, const quadrix::Rectangle& area, const host::Color& color,
                 const quadrix::Rectangle& part) const {
    if (texture == nullptr || host::rendersys == nullptr || color.a == 0) {
        return;
    }
    float textureW = static_cast<float>(texture->getWidth());
    float textureH = static_cast<float>(texture->getHeight());
    if (textureW <= 0.0f || textureH <= 0.0f) {
        return;
    }
    texture->markUsed();
    float u0 = (rect.x + rect.w * part.x) / textureW;
    float v0 = (rect.y + rect.h * part.y) / textureH;
    float u1 = (rect.x + rect.w * (part.x + part.w)) / textureW;
    float v1 = (rect.y + rect.h * (part.y + part.h)) / textureH;
    host::RenderSystem::Quad corners = {matrix * area.getTopLeft(), matrix * area.getTopRight(),
                                        matrix * area.getBottomRight(), matrix * area.getBottomLeft()};
    host::RenderSystem::Quad uvs = {quadrix::Vector2(u0, v0), quadrix::Vector2(u1, v0),
                                    quadrix::Vector2(u1, v1), quadrix::Vector2(u0, v1)};
    host::rendersys->drawQuad(texture->getHostTexture(), corners, uvs, color);
}

}  // namespace gui
