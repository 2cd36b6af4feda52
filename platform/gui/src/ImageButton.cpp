#include "gui/ImageButton.h"

#include "Internal.h"
#include "gui/BaseImage.h"

namespace gui {

namespace {

// Disabled buttons without a picture of their own are drawn at this share of their brightness.
constexpr float DisabledDim = 0.5f;

}  // namespace

void ImageButton::_setNamedImage(NamedImage& slot, const kit::String& name) {
    BaseImage* image = internal::lookupImage(this, name);
    slot.image = image;
    slot.name = name;
}

void ImageButton::setImage(const kit::String& name) {
    _setNamedImage(images[0], name);
}

void ImageButton::setHoverImage(const kit::String& name) {
    _setNamedImage(images[1], name);
}

void ImageButton::setPushedImage(const kit::String& name) {
    _setNamedImage(images[2], name);
}

void ImageButton::setDisabledImage(const kit::String& name) {
    _setNamedImage(images[3], name);
}

BaseImage* ImageButton::_pick(const NamedImage* set, Look look, bool& dim) {
    int index = static_cast<int>(look);
    dim = look == Look::Disabled && set[3].image == nullptr;
    if (set[index].image != nullptr) {
        return set[index].image;
    }
    // A pushed look without its own picture falls back to the hover picture, then the normal one.
    if (look == Look::Pushed && set[1].image != nullptr) {
        return set[1].image;
    }
    return set[0].image;
}

void ImageButton::_drawImages(const NamedImage* set, const quadrix::Matrix3& matrix, float alpha) {
    bool dim = false;
    BaseImage* image = _pick(set, getLook(), dim);
    if (image != nullptr) {
        host::Color tint = getColor();
        if (dim) {
            tint = host::Color(static_cast<unsigned char>(tint.r * DisabledDim),
                               static_cast<unsigned char>(tint.g * DisabledDim),
                               static_cast<unsigned char>(tint.b * DisabledDim));
        }
        tint.a = static_cast<unsigned char>(255.0f * alpha);
        image->draw(matrix, quadrix::Rectangle(0, 0, getWidth(), getHeight()), tint);
    }
    Label::_draw(matrix, alpha);
}

void ImageButton::_draw(const quadrix::Matrix3& matrix, float alpha) {
    _drawImages(images, matrix, alpha);
}

}  // namespace gui
