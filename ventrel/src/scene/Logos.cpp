#include "ventrel/scene/Logos.h"

#include <gui/CompositeImage.h>
#include <gui/Image.h>
#include <gui/Texture.h>
#include <host/Host.h>
#include <kit/Dir.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cmath>

#include "ventrel/Ventrel.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/Input.h"

namespace ventrel::scene {

namespace {

// The visible part of a half of a side-by-side logo.
int halfWidth(int textureWidth) {
    return static_cast<int>(std::lround(textureWidth * 8.0f / 9.0f));
}

kit::String withoutSuffix(const kit::String& name, size_t suffixLength) {
    return name.substr(0, name.size() - suffixLength);
}

}  // namespace

Logos::Logos(const kit::String& name, const kit::String& playlistName) : Base(name, playlistName) {}

void Logos::_setupDataset() {
    Base::_setupDataset();
    gui::BaseImage* pendingLeft = nullptr;
    for (const kit::String& name : _findLogoNames()) {
        _addLogo(name, pendingLeft);
    }
    const quadrix::Rectangle rect = root->getRect();
    float w = rect.w;
    float h = rect.h;
    _createImageBox("image_stretch", rect, gui::AnchorAll);
    gui::ImageBox* zoom = _createImageBox(
        "image_zoom", quadrix::Rectangle(0.0f, std::trunc((h - 0.75f * w) * 0.5f), w, 0.75f * w),
        gui::AnchorAll);
    zoom->setKeepAspect(true);
    float imageWidth = h * 16.0f / 9.0f;
    _createImageBox("image", quadrix::Rectangle(std::trunc((w - imageWidth) * 0.5f), 0.0f, imageWidth, h),
                    gui::AnchorNone);
}

kit::Array<kit::String> Logos::_findLogoNames() {
    kit::Array<kit::String> names;
    kit::Array<kit::String> extensions = host::getTextureExtensions();
    for (const kit::String& file : kit::ResourceDir::files(_getLogoPath())) {
        bool excluded = std::any_of(excludedNames.begin(), excludedNames.end(),
                                    [&](const kit::String& part) { return kit::contains(file, part); });
        if (excluded) {
            continue;
        }
        for (const kit::String& extension : extensions) {
            if (kit::endsWith(file, extension)) {
                names.push_back(withoutSuffix(file, extension.size()));
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Logos::_addLogo(const kit::String& name, gui::BaseImage*& pendingLeft) {
    kit::String resource = host::rendersys->findTextureResource(kit::Dir::joinPath(_getLogoPath(), name));
    if (resource.empty()) {
        return;
    }
    host::Texture* hostTexture = host::rendersys->createTextureFromResource(resource);
    if (!hostTexture) {
        return;
    }
    hostTexture->loadMetaData();
    auto* texture = new gui::Texture(name, hostTexture);
    dataset->registerTexture(texture);
    float width = static_cast<float>(hostTexture->getWidth());
    float height = static_cast<float>(hostTexture->getHeight());
    if (kit::endsWith(name, "_l")) {
        if (pendingLeft) {
            kit::Log::error(LogTag,
                            kit::format("Cannot use new left image '%s', one already exists!", name.c_str()));
            return;
        }
        float w = static_cast<float>(halfWidth(hostTexture->getWidth()));
        pendingLeft = new gui::Image("_" + name, texture, quadrix::Rectangle(0.0f, 0.0f, w, height));
        dataset->registerImage(pendingLeft);
    } else if (kit::endsWith(name, "_r")) {
        if (!pendingLeft) {
            kit::Log::error(
                LogTag, kit::format("Right image '%s' does not have a left image, ignored!", name.c_str()));
            return;
        }
        float w = static_cast<float>(halfWidth(hostTexture->getWidth()));
        auto* right = new gui::Image("_" + name, texture, quadrix::Rectangle(width - w, 0.0f, w, height));
        auto* composite = new gui::CompositeImage(withoutSuffix(name, 2), quadrix::Vector2(2.0f * w, height));
        composite->addImage(pendingLeft, quadrix::Rectangle(0.0f, 0.0f, w, height));
        composite->addImage(right, quadrix::Rectangle(w, 0.0f, w, height));
        dataset->registerImage(right);
        dataset->registerImage(composite);
        logos.push_back(composite);
        pendingLeft = nullptr;
    } else {
        bool tall = kit::endsWith(name, "_stretch") || kit::endsWith(name, "_zoom");
        float shown = std::trunc(height * (tall ? 0.75f : 0.5625f));
        auto* image = new gui::Image(name, texture, quadrix::Rectangle(0.0f, 0.0f, width, shown));
        dataset->registerImage(image);
        logos.push_back(image);
    }
}

gui::ImageBox* Logos::_createImageBox(const kit::String& name, const quadrix::Rectangle& rect,
                                      unsigned int anchors) {
    auto* box = new gui::ImageBox(name);
    box->setRect(rect);
    box->setAnchors(anchors);
    root->addChild(box);
    return box;
}

void Logos::_updateInput() {
    Base::_updateInput();
    bool triggered = input && (input->isMouseTriggered() || input->isKeyTriggered(host::Key::Enter) ||
                               input->isKeyTriggered(host::Key::Escape));
    if (triggered) {
        core->clickSound("");
        _nextLogo();
    }
}

void Logos::_updateLogic() {
    Base::_updateLogic();
    size_t index = static_cast<size_t>(std::trunc(time / logoDuration));
    if (index >= logos.size()) {
        if (!finished) {
            _finishLogos();
        }
        return;
    }
    gui::BaseImage* logo = logos[index];
    const char* boxName = "image";
    if (kit::contains(logo->getName(), "_stretch")) {
        boxName = "image_stretch";
    } else if (kit::contains(logo->getName(), "_zoom")) {
        boxName = "image_zoom";
    }
    host::Color color = host::Color::White;
    color.a = _getAlpha(std::fmod(time, logoDuration));
    for (const char* name : {"image_stretch", "image_zoom", "image"}) {
        auto* box = dataset->getObjectAs<gui::ImageBox>(name, "ImageBox");
        box->setImage(static_cast<gui::BaseImage*>(nullptr));
        box->setColor(color);
    }
    dataset->getObjectAs<gui::ImageBox>(boxName, "ImageBox")->setImage(logo);
}

unsigned char Logos::_getAlpha(float logoTime) const {
    if (logoTime < fadeDuration) {
        return static_cast<unsigned char>(std::trunc(logoTime * 255.0f / fadeDuration));
    }
    if (logoTime > logoDuration - fadeDuration) {
        return static_cast<unsigned char>(std::trunc((logoDuration - logoTime) * 255.0f / fadeDuration));
    }
    return 255;
}

void Logos::_nextLogo() {
    float logoTime = std::fmod(time, logoDuration);
    if (logoTime < logoDuration - fadeDuration) {
        time = (std::trunc(time / logoDuration) + 1.0f) * logoDuration - std::min(logoTime, fadeDuration);
    }
}

}  // namespace ventrel::scene
