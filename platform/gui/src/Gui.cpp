#include "gui/Gui.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "Internal.h"
#include "fonts/Renderer.h"
#include "gui/BaseImage.h"
#include "gui/EditBox.h"
#include "host/Host.h"
#include "host/RenderSystem.h"
#include "kit/Log.h"

namespace gui {

namespace {

struct State {
    bool initialized = false;
    quadrix::Rectangle viewport{0, 0, 1280, 720};
    quadrix::Rectangle viewportPixels{0, 0, 1280, 720};
    quadrix::Vector2 cursor;
    kit::String cursorImage;
    kit::String localization;
    kit::String defaultLocalization = "en";
    kit::Array<kit::String> supportedLocalizations;
    unsigned int textGeneration = 1;
    bool hoverEffect = true;
    bool debug = false;
    SampleMode sampleMode = SampleMode::Off;
    float idleUnloadTime = 0.0f;
    int textureLoadMode = 0;
    kit::Array<kit::String> texturePrefixes;
    kit::Array<float> textureScales;
    bool keyboardAutoOffset = false;
    bool virtualKeyboard = false;
    float virtualKeyboardRatio = 0.0f;
    kit::Array<Dataset*> datasets;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

State& state() {
    static State instance;
    return instance;
}

void reloadAllTexts() {
    ++state().textGeneration;
    for (Dataset* dataset : state().datasets) {
        if (dataset->isLoaded()) {
            dataset->reloadTexts();
        }
    }
}

}  // namespace

namespace internal {

void textsChanged() {
    ++state().textGeneration;
}

void addDataset(Dataset* dataset) {
    state().datasets.push_back(dataset);
}

void removeDataset(Dataset* dataset) {
    std::erase(state().datasets, dataset);
}

const kit::Map<kit::String, kit::String>* findSharedStyle(const kit::String& name, const Dataset* asking) {
    for (Dataset* dataset : state().datasets) {
        if (dataset == asking || dataset->isScreen() || !dataset->isLoaded()) {
            continue;
        }
        if (const auto* style = dataset->findOwnStyle(name)) {
            return style;
        }
    }
    return nullptr;
}

void forgetAnimatorTarget(const Object* object) {
    for (Dataset* dataset : state().datasets) {
        dataset->_forgetAnimatorTarget(object);
    }
}

const kit::Array<kit::String>& getTexturePrefixes() {
    return state().texturePrefixes;
}

const kit::Array<float>& getTextureScales() {
    return state().textureScales;
}

}  // namespace internal

bool init() {
    if (host::rendersys == nullptr) {
        kit::Log::error(internal::Tag, "Cannot start the GUI without a render system!");
        return false;
    }
    state().initialized = true;
    state().start = std::chrono::steady_clock::now();
    return true;
}

void destroy() {
    State& s = state();
    s.initialized = false;
    s.cursorImage.clear();
    s.virtualKeyboard = false;
}

bool isInitialized() {
    return state().initialized;
}

void setViewport(const quadrix::Rectangle& viewport) {
    state().viewport = viewport;
}

const quadrix::Rectangle& getViewport() {
    return state().viewport;
}

const quadrix::Rectangle& getViewportPixels() {
    return state().viewportPixels;
}

void updateViewportPosition(const quadrix::Rectangle& viewport, bool letterbox) {
    State& s = state();
    s.viewport = viewport;
    if (host::window == nullptr || host::rendersys == nullptr || viewport.w <= 0 || viewport.h <= 0) {
        return;
    }
    float windowW = static_cast<float>(host::window->getWidth());
    float windowH = static_cast<float>(host::window->getHeight());
    quadrix::Rectangle pixels(0, 0, windowW, windowH);
    if (letterbox) {
        float factor = std::min(windowW / viewport.w, windowH / viewport.h);
        pixels.w = std::round(viewport.w * factor);
        pixels.h = std::round(viewport.h * factor);
        pixels.x = std::floor((windowW - pixels.w) * 0.5f);
        pixels.y = std::floor((windowH - pixels.h) * 0.5f);
    }
    s.viewportPixels = pixels;
    host::rendersys->setViewport(pixels);
    host::rendersys->setOrthoProjection(viewport);
    if (fonts::renderer != nullptr && pixels.h > 0) {
        float pixelScale = pixels.h / viewport.h;
        if (fonts::renderer->getPixelScale() != pixelScale) {
            fonts::renderer->setPixelScale(pixelScale);
        }
    }
}

void updateCursorPosition() {
    if (host::window == nullptr || host::rendersys == nullptr) {
        return;
    }
    state().cursor = host::rendersys->toGuiPosition(host::window->getCursorPosition());
}

const quadrix::Vector2& getCursorPosition() {
    return state().cursor;
}

void setCursorPosition(const quadrix::Vector2& guiPosition) {
    state().cursor = guiPosition;
}

void setCursorImage(const kit::String& name) {
    state().cursorImage = name;
}

const kit::String& getCursorImage() {
    return state().cursorImage;
}

void drawCursor() {
    const kit::String& name = state().cursorImage;
    if (name.empty()) {
        return;
    }
    auto dot = name.find('.');
    Dataset* set = dot == kit::String::npos ? nullptr : getDataset(name.substr(0, dot));
    if (set == nullptr || !set->hasImage(name)) {
        return;
    }
    BaseImage* image = set->getImage(name);
    quadrix::Matrix3 matrix;
    matrix.setTranslation(state().cursor);
    image->draw(matrix, quadrix::Rectangle(0, 0, image->getSize()), host::Color::White);
}

void setLocalization(const kit::String& localization) {
    if (state().localization == localization) {
        return;
    }
    state().localization = localization;
    reloadAllTexts();
}

const kit::String& getLocalization() {
    return state().localization;
}

void setSupportedLocalizations(const kit::Array<kit::String>& localizations) {
    state().supportedLocalizations = localizations;
}

const kit::Array<kit::String>& getSupportedLocalizations() {
    return state().supportedLocalizations;
}

void setDefaultLocalization(const kit::String& localization) {
    if (state().defaultLocalization == localization) {
        return;
    }
    state().defaultLocalization = localization;
    reloadAllTexts();
}

const kit::String& getDefaultLocalization() {
    return state().defaultLocalization;
}

unsigned int getTextGeneration() {
    return state().textGeneration;
}

void setHoverEffectEnabled(bool enabled) {
    state().hoverEffect = enabled;
}

bool isHoverEffectEnabled() {
    return state().hoverEffect;
}

void setDebugEnabled(bool enabled) {
    state().debug = enabled;
}

bool isDebugEnabled() {
    return state().debug;
}

void setSampleMode(SampleMode mode) {
    state().sampleMode = mode;
}

SampleMode getSampleMode() {
    return state().sampleMode;
}

void setTextureIdleUnloadTime(float seconds) {
    state().idleUnloadTime = std::max(seconds, 0.0f);
}

float getTextureIdleUnloadTime() {
    return state().idleUnloadTime;
}

void setDefaultTextureLoadMode(int mode) {
    state().textureLoadMode = std::clamp(mode, 0, 2);
}

int getDefaultTextureLoadMode() {
    return state().textureLoadMode;
}

void setTextureExtensionPrefixes(const kit::Array<kit::String>& prefixes, const kit::Array<float>& scales) {
    State& s = state();
    s.texturePrefixes.clear();
    s.textureScales.clear();
    for (size_t i = 0; i < prefixes.size(); ++i) {
        float scale = i < scales.size() && scales[i] > 0.0f ? scales[i] : 1.0f;
        s.texturePrefixes.push_back(prefixes[i]);
        s.textureScales.push_back(scale);
    }
}

void setUseKeyboardAutoOffset(bool enabled) {
    state().keyboardAutoOffset = enabled;
}

bool isUseKeyboardAutoOffset() {
    return state().keyboardAutoOffset;
}

void setVirtualKeyboard(bool visible, float heightRatio) {
    state().virtualKeyboard = visible;
    state().virtualKeyboardRatio = std::clamp(heightRatio, 0.0f, 1.0f);
}

float getKeyboardOffset() {
    const State& s = state();
    if (!s.keyboardAutoOffset || !s.virtualKeyboard) {
        return 0.0f;
    }
    float visibleBottom = s.viewport.y + s.viewport.h * (1.0f - s.virtualKeyboardRatio);
    for (Dataset* dataset : s.datasets) {
        Object* focused = dataset->getFocusedObject();
        if (focused == nullptr || focused->getDataset() != dataset || !focused->isInteractive() ||
            !focused->isDerivedVisible()) {
            continue;
        }
        float bottom = focused->getBoundingRect().bottom();
        if (bottom > visibleBottom && dynamic_cast<const EditBox*>(focused) != nullptr) {
            return visibleBottom - bottom;
        }
    }
    return 0.0f;
}

void unloadUnusedResources() {
    double now = getTime();
    for (Dataset* dataset : state().datasets) {
        dataset->unloadIdleTextures(now, state().idleUnloadTime);
    }
}

void processEvents() {
    // Callbacks may delete data sets: work on a copy and skip the ones gone meanwhile.
    kit::Array<Dataset*> datasets = state().datasets;
    for (Dataset* dataset : datasets) {
        if (std::find(state().datasets.begin(), state().datasets.end(), dataset) != state().datasets.end()) {
            dataset->processEvents();
        }
    }
}

Dataset* getDataset(const kit::String& name) {
    for (Dataset* dataset : state().datasets) {
        if (!dataset->isScreen() && dataset->isLoaded() && dataset->getName() == name) {
            return dataset;
        }
    }
    return nullptr;
}

double getTime() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - state().start).count();
}

}  // namespace gui

namespace gui::internal {

BaseImage* lookupImage(const Object* object, const kit::String& name) {
    if (name.empty()) {
        return nullptr;
    }
    if (object != nullptr && object->getDataset() != nullptr) {
        return object->getDataset()->getImage(name);
    }
    auto dot = name.find('.');
    Dataset* set = dot == kit::String::npos ? nullptr : getDataset(name.substr(0, dot));
    if (set == nullptr) {
        throw kit::ResourceNotExistsException(name, "image", "gui");
    }
    return set->getImage(name);
}

}  // namespace gui::internal
