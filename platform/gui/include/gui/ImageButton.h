#pragma once

#include "gui/ButtonBase.h"

namespace gui {

class BaseImage;

// A button drawn with an image per look; a look without its own image uses the normal image
// (disabled: the normal image dimmed).
class ImageButton : public ButtonBase {
public:
    explicit ImageButton(const kit::String& name) : ButtonBase(name) {}
    const char* getKindName() const override { return "ImageButton"; }

    // Image names as ImageBox::setImage takes them ("" clears).
    void setImage(const kit::String& name);
    void setHoverImage(const kit::String& name);
    void setPushedImage(const kit::String& name);
    void setDisabledImage(const kit::String& name);
    const kit::String& getImageName() const { return images[0].name; }
    const kit::String& getHoverImageName() const { return images[1].name; }
    const kit::String& getPushedImageName() const { return images[2].name; }
    const kit::String& getDisabledImageName() const { return images[3].name; }
    BaseImage* getImage() const { return images[0].image; }

protected:
    struct NamedImage {
        kit::String name;
        BaseImage* image = nullptr;
    };

    void _draw(const quadrix::Matrix3& matrix, float alpha) override;
    // The image for the look from a set of four (normal, hover, pushed, disabled).
    static BaseImage* _pick(const NamedImage* set, Look look, bool& dim);
    void _setNamedImage(NamedImage& slot, const kit::String& name);
    void _drawImages(const NamedImage* set, const quadrix::Matrix3& matrix, float alpha);

    NamedImage images[4];
};

}  // namespace gui
