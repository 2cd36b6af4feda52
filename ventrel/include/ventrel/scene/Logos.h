#pragma once

#include <gui/BaseImage.h>
#include <gui/ImageBox.h>
#include <kit/Types.h>

#include "ventrel/scene/Base.h"

namespace ventrel::scene {

// A timed slide show of the pictures in a folder: each logo fades in, stays and fades out; a click,
// Enter or Escape fades the current one out at once. Pictures named "<stem>_l" and "<stem>_r" form
// one logo side by side; "_stretch" pictures fill the screen, "_zoom" ones fill its width.
class Logos : public Base {
public:
    Logos(const kit::String& name, const kit::String& playlistName);

    const kit::Array<gui::BaseImage*>& getLogos() const { return logos; }

protected:
    kit::Array<gui::BaseImage*> logos;
    kit::Array<kit::String> excludedNames;
    float logoDuration = 4.0f;
    float fadeDuration = 0.5f;

    void _setupDataset() override;
    void _updateInput() override;
    void _updateLogic() override;
    // The resource folder of the logo pictures.
    virtual kit::String _getLogoPath() = 0;
    // Called once the last logo has been shown (typically switches the scene).
    virtual void _finishLogos() = 0;
    virtual void _nextLogo();

private:
    kit::Array<kit::String> _findLogoNames();
    void _addLogo(const kit::String& name, gui::BaseImage*& pendingLeft);
    gui::ImageBox* _createImageBox(const kit::String& name, const quadrix::Rectangle& rect,
                                   unsigned int anchors);
    unsigned char _getAlpha(float logoTime) const;
};

}  // namespace ventrel::scene
