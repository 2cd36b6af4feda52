#include "gui/Dataset.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "DatasetLoader.h"
#include "Internal.h"
#include "gui/Animator.h"
#include "gui/BaseImage.h"
#include "gui/ButtonBase.h"
#include "gui/EditBox.h"
#include "gui/Gui.h"
#include "gui/Image.h"
#include "gui/InvalidObjectTypeException.h"
#include "gui/ScrollArea.h"
#include "gui/Texture.h"
#include "host/RenderSystem.h"
#include "host/Texture.h"
#include "kit/Dir.h"
#include "kit/Log.h"
#include "kit/Strings.h"

namespace gui {

struct Dataset::Impl {
    struct QueuedEvent {
        BaseObject* object;
        Event event;
        unsigned int keyCode;
        unsigned long long serial;
    };

    std::unordered_map<kit::String, Object*> objects;
    kit::Map<kit::String, std::unique_ptr<Texture>> textures;
    kit::Map<kit::String, std::unique_ptr<BaseImage>> images;
    kit::Array<std::unique_ptr<Animator>> ownedAnimators;
    kit::Array<Animator*> animators;
    kit::Map<kit::String, kit::String> imageFolders;
    kit::Map<kit::String, kit::Map<kit::String, kit::String>> styles;
    kit::Map<kit::String, kit::String> texts;
    kit::Map<kit::String, kit::String> defaultTexts;
    std::deque<QueuedEvent> events;
    unsigned long long nextSerial = 0;
    Object* hovered = nullptr;
    Object* pushed = nullptr;
    Object* focused = nullptr;
    ScrollArea* scrollPress = nullptr;
    bool shift = false;
    // The scroll area under a two-finger gesture, and where the fingers' centre was last.
    ScrollArea* touchArea = nullptr;
    quadrix::Vector2 touchCentre;
};

namespace {

// Enabled and shown: a menu faded out to alpha 0 counts as hidden.
bool isUsable(const Object* object) {
    return object->isDerivedEnabled() && object->isDerivedVisible() && object->getDerivedAlpha() > 0.0f;
}

template <class Visitor>
void visit(Object* object, const Visitor& visitor) {
    if (object == nullptr) {
        return;
    }
    visitor(object);
    for (Object* child : object->getChildren()) {
        visit(child, visitor);
    }
}

Object* findAt(Object* object, const quadrix::Vector2& point) {
    if (!object->isVisible() || object->getAlpha() == 0) {
        return nullptr;
    }
    bool inside = object->isPointInside(point);
    if (!inside && dynamic_cast<ScrollArea*>(object) != nullptr) {
        return nullptr;
    }
    const auto& children = object->getChildren();
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (Object* found = findAt(*child, point)) {
            return found;
        }
    }
    return inside && object->isInteractive() ? object : nullptr;
}

ScrollArea* findScrollArea(Object* object, bool dragOnly) {
    for (; object != nullptr; object = object->getParent()) {
        auto* area = dynamic_cast<ScrollArea*>(object);
        if (area != nullptr && (!dragOnly || area->isDrag())) {
            return area;
        }
    }
    return nullptr;
}

quadrix::Vector2 cursor() {
    updateCursorPosition();
    quadrix::Vector2 position = getCursorPosition();
    position.y -= getKeyboardOffset();
    return position;
}

}  // namespace

Dataset::Dataset(const kit::String& filePath, const kit::String& name, bool screen)
    : filePath(filePath), name(name), screen(screen), impl(std::make_unique<Impl>()) {
    internal::addDataset(this);
}

Dataset::~Dataset() {
    unload();
    internal::removeDataset(this);
}

void Dataset::addImageFolder(const kit::String& folder, const kit::String& path) {
    impl->imageFolders[folder] = path;
}

bool Dataset::load() {
    unload();
    error.clear();
    try {
        internal::DatasetLoader(*this).load();
    } catch (const internal::LoadError& failure) {
        error = failure.what();
        kit::Log::error(internal::Tag, error);
        unload();
        return false;
    }
    loaded = true;
    reloadTexts();
    internal::textsChanged();
    return true;
}

void Dataset::unload() {
    if (!impl->texts.empty() || !impl->defaultTexts.empty()) {
        internal::textsChanged();
    }
    root.reset();
    impl->events.clear();
    impl->ownedAnimators.clear();
    impl->animators.clear();
    impl->images.clear();
    impl->textures.clear();
    impl->texts.clear();
    impl->defaultTexts.clear();
    impl->imageFolders.clear();
    impl->styles.clear();
    impl->objects.clear();
    loaded = false;
}

void Dataset::reloadTexts() {
    impl->texts.clear();
    impl->defaultTexts.clear();
    if (textFolder.empty()) {
        return;
    }
    kit::String folder = kit::Dir::joinPath(kit::Dir::getParent(filePath), textFolder);
    if (!getLocalization().empty()) {
        internal::loadTexts(folder, getLocalization(), impl->texts);
    }
    if (getDefaultLocalization() != getLocalization()) {
        internal::loadTexts(folder, getDefaultLocalization(), impl->defaultTexts);
    }
}

void Dataset::update(float timeDelta) {
    for (Animator* animator : impl->animators) {
        animator->update(timeDelta);
    }
    if (root != nullptr) {
        root->update(timeDelta);
    }
}

void Dataset::draw() {
    if (root == nullptr) {
        return;
    }
    quadrix::Matrix3 base;
    base.setTranslation(0.0f, getKeyboardOffset());
    root->draw(base, 1.0f);
}

void Dataset::processEvents() {
    // Events raised by the callbacks wait for the next call, so a callback cannot loop forever.
    unsigned long long limit = impl->nextSerial;
    while (!impl->events.empty() && impl->events.front().serial < limit) {
        Impl::QueuedEvent queued = impl->events.front();
        impl->events.pop_front();
        queued.object->callEvent(queued.event, queued.keyCode);
    }
}

void Dataset::setRoot(Object* object) {
    root.reset(object);
    if (object != nullptr) {
        object->_setDataset(this);
        loaded = true;
    }
}

Object* Dataset::getObject(const kit::String& objectName) const {
    auto found = impl->objects.find(objectName);
    if (found == impl->objects.end()) {
        throw kit::ResourceNotExistsException(objectName, "object", name);
    }
    return found->second;
}

bool Dataset::hasObject(const kit::String& objectName) const {
    return impl->objects.count(objectName) > 0;
}

void Dataset::throwInvalidType(const kit::String& objectName, const char* kind) const {
    throw InvalidObjectTypeException(objectName, kind, name);
}

void Dataset::destroyObjects(Object* object) {
    if (object == nullptr) {
        return;
    }
    if (object == root.get()) {
        root.reset();
        return;
    }
    if (object->getParent() != nullptr) {
        object->getParent()->removeChild(object);
    }
    delete object;
}

void Dataset::_attach(Object* object) {
    if (!object->getName().empty()) {
        impl->objects.emplace(object->getName(), object);
    }
}

void Dataset::_detach(Object* object, bool destroyed) {
    auto found = impl->objects.find(object->getName());
    if (found != impl->objects.end() && found->second == object) {
        impl->objects.erase(found);
    }
    if (impl->hovered == object) {
        impl->hovered = nullptr;
    }
    if (impl->pushed == object) {
        impl->pushed = nullptr;
    }
    if (impl->focused == object) {
        impl->focused = nullptr;
    }
    if (impl->scrollPress == object) {
        impl->scrollPress = nullptr;
    }
    if (impl->touchArea == object) {
        impl->touchArea = nullptr;
    }
    std::erase_if(impl->events,
                  [object](const Impl::QueuedEvent& queued) { return queued.object == object; });
    // An object only moved to another parent keeps its animators; only deleting it ends them.
    if (destroyed) {
        _forgetAnimatorTarget(object);
    }
}

void Dataset::_forgetAnimatorTarget(const Object* object) {
    std::erase_if(impl->animators, [object](Animator* animator) { return animator->getTarget() == object; });
    std::erase_if(impl->ownedAnimators,
                  [object](const auto& animator) { return animator->getTarget() == object; });
}

void Dataset::_queueEvent(BaseObject* object, Event event, unsigned int keyCode) {
    impl->events.push_back({object, event, keyCode, impl->nextSerial++});
}

BaseImage* Dataset::getImage(const kit::String& imageName) {
    auto found = impl->images.find(imageName);
    if (found != impl->images.end()) {
        return found->second.get();
    }
    auto dot = imageName.find('.');
    auto slash = imageName.find('/', dot == kit::String::npos ? 0 : dot);
    if (dot == kit::String::npos || slash == kit::String::npos) {
        throw kit::ResourceNotExistsException(imageName, "image", name);
    }
    kit::String setName = imageName.substr(0, dot);
    if (setName != name) {
        Dataset* set = gui::getDataset(setName);
        if (set == nullptr || set == this) {
            throw kit::ResourceNotExistsException(imageName, "image", name);
        }
        return set->getImage(imageName);
    }
    auto folder = impl->imageFolders.find(imageName.substr(dot + 1, slash - dot - 1));
    if (folder == impl->imageFolders.end() || host::rendersys == nullptr) {
        throw kit::ResourceNotExistsException(imageName, "image", name);
    }
    kit::String base = kit::Dir::joinPath(folder->second, imageName.substr(slash + 1));
    const auto& prefixes = internal::getTexturePrefixes();
    kit::String resource;
    float pixelScale = 1.0f;
    for (size_t i = 0; i < prefixes.size() && resource.empty(); ++i) {
        resource = host::rendersys->findTextureResource(base + prefixes[i]);
        pixelScale = internal::getTextureScales()[i];
    }
    if (resource.empty()) {
        resource = host::rendersys->findTextureResource(base);
        pixelScale = 1.0f;
    }
    host::Texture* hostTexture =
        resource.empty() ? nullptr : host::rendersys->createTextureFromResource(resource);
    if (hostTexture == nullptr || !hostTexture->loadMetaData()) {
        delete hostTexture;
        throw kit::ResourceNotExistsException(imageName, "image", name);
    }
    auto* texture = new Texture(imageName, hostTexture);
    registerTexture(texture);
    if (getDefaultTextureLoadMode() == 1) {
        hostTexture->load();
    } else if (getDefaultTextureLoadMode() == 2) {
        hostTexture->loadAsync();
    }
    auto* image = new Image(imageName, texture,
                            quadrix::Rectangle(0, 0, static_cast<float>(texture->getWidth()),
                                               static_cast<float>(texture->getHeight())),
                            pixelScale);
    registerImage(image);
    return image;
}

void Dataset::registerStyle(const kit::String& styleName,
                            const kit::Map<kit::String, kit::String>& attributes) {
    impl->styles[styleName] = attributes;
}

const kit::Map<kit::String, kit::String>* Dataset::findStyle(const kit::String& styleName) const {
    const kit::Map<kit::String, kit::String>* own = findOwnStyle(styleName);
    return own ? own : internal::findSharedStyle(styleName, this);
}

const kit::Map<kit::String, kit::String>* Dataset::findOwnStyle(const kit::String& styleName) const {
    auto found = impl->styles.find(styleName);
    return found == impl->styles.end() ? nullptr : &found->second;
}

bool Dataset::hasImage(const kit::String& imageName) {
    try {
        getImage(imageName);
        return true;
    } catch (const kit::ResourceNotExistsException&) {
        return false;
    }
}

Texture* Dataset::getTexture(const kit::String& textureName) const {
    auto found = impl->textures.find(textureName);
    if (found == impl->textures.end()) {
        throw kit::ResourceNotExistsException(textureName, "texture", name);
    }
    return found->second.get();
}

bool Dataset::hasTexture(const kit::String& textureName) const {
    return impl->textures.count(textureName) > 0;
}

Animator* Dataset::getAnimator(const kit::String& animatorName) const {
    for (Animator* animator : impl->animators) {
        if (animator->getName() == animatorName) {
            return animator;
        }
    }
    throw kit::ResourceNotExistsException(animatorName, "animator", name);
}

bool Dataset::hasAnimator(const kit::String& animatorName) const {
    return std::any_of(impl->animators.begin(), impl->animators.end(),
                       [&](const Animator* animator) { return animator->getName() == animatorName; });
}

const kit::Array<Animator*>& Dataset::getAnimators() const {
    return impl->animators;
}

void Dataset::registerTexture(Texture* texture) {
    if (texture != nullptr) {
        impl->textures[texture->getName()].reset(texture);
    }
}

void Dataset::registerImage(BaseImage* image) {
    if (image != nullptr) {
        impl->images[image->getName()].reset(image);
    }
}

void Dataset::registerAnimator(Animator* animator) {
    if (animator == nullptr) {
        return;
    }
    std::erase_if(impl->animators,
                  [animator](Animator* old) { return old->getName() == animator->getName(); });
    std::erase_if(impl->ownedAnimators,
                  [animator](const auto& old) { return old->getName() == animator->getName(); });
    impl->ownedAnimators.emplace_back(animator);
    impl->animators.push_back(animator);
}

void Dataset::unloadTextures() {
    for (auto& entry : impl->textures) {
        entry.second->unload();
    }
}

void Dataset::unloadIdleTextures(double now, double idleTime) {
    if (idleTime <= 0.0) {
        return;
    }
    for (auto& entry : impl->textures) {
        if (entry.second->isLoaded() && now - entry.second->getLastUseTime() > idleTime) {
            entry.second->unload();
        }
    }
}

kit::String Dataset::getText(const kit::String& key) const {
    if (key.find_first_of("{ ") != kit::String::npos) {
        return internal::resolveTextKey(key, this, false);
    }
    const kit::String* text = internal::findText(key, this);
    return text == nullptr ? kit::String() : *text;
}

bool Dataset::hasText(const kit::String& key) const {
    return internal::findText(key, this) != nullptr;
}

kit::Map<kit::String, kit::String> Dataset::getTexts(const kit::String& prefix) const {
    kit::Map<kit::String, kit::String> found;
    for (const auto* texts : {&impl->texts, &impl->defaultTexts}) {
        for (auto entry = texts->lower_bound(prefix);
             entry != texts->end() && kit::startsWith(entry->first, prefix); ++entry) {
            found.emplace(entry->first, entry->second);
        }
    }
    return found;
}

const kit::String* Dataset::findOwnText(const kit::String& key) const {
    auto found = impl->texts.find(key);
    if (found != impl->texts.end()) {
        return &found->second;
    }
    found = impl->defaultTexts.find(key);
    return found == impl->defaultTexts.end() ? nullptr : &found->second;
}

bool Dataset::isAnimated() const {
    if (std::any_of(impl->animators.begin(), impl->animators.end(),
                    [](Animator* a) { return a->isRunning(); })) {
        return true;
    }
    bool animating = false;
    visit(root.get(), [&](Object* object) { animating = animating || object->isAnimating(); });
    return animating;
}

bool Dataset::isWaitingAnimation() const {
    if (std::any_of(impl->animators.begin(), impl->animators.end(),
                    [](Animator* a) { return a->isWaiting(); })) {
        return true;
    }
    bool waiting = false;
    visit(root.get(), [&](Object* object) { waiting = waiting || object->isWaitingAnimation(); });
    return waiting;
}

Object* Dataset::findObjectAt(const quadrix::Vector2& guiPosition) const {
    return root == nullptr ? nullptr : findAt(root.get(), guiPosition);
}

Object* Dataset::getHoveredObject() const {
    return impl->hovered;
}

Object* Dataset::getPushedObject() const {
    return impl->pushed;
}

bool Dataset::onMouseDown(host::Key key) {
    quadrix::Vector2 position = cursor();
    Object* target = findObjectAt(position);
    impl->hovered = target;
    if (key != host::Key::MouseLeft) {
        return target != nullptr;
    }
    if (impl->focused != nullptr && impl->focused != target &&
        dynamic_cast<EditBox*>(impl->focused) != nullptr) {
        removeFocus();
    }
    impl->pushed = target;
    impl->scrollPress = findScrollArea(target, true);
    if (impl->scrollPress != nullptr) {
        impl->scrollPress->onPress(position, key);
    }
    if (target == nullptr || !isUsable(target)) {
        return target != nullptr;
    }
    if (dynamic_cast<EditBox*>(target) != nullptr) {
        setFocusedObject(target);
    }
    if (target != impl->scrollPress) {
        target->onPress(position, key);
    }
    return true;
}

bool Dataset::onMouseMove() {
    quadrix::Vector2 position = cursor();
    impl->hovered = findObjectAt(position);
    if (impl->scrollPress != nullptr) {
        impl->scrollPress->onDrag(position);
        if (impl->scrollPress->isDragging() && impl->pushed != nullptr && impl->pushed != impl->scrollPress) {
            // The press became a scroll: the button under it is not clicked.
            impl->pushed->onCancel();
            impl->pushed = impl->scrollPress;
        }
    }
    if (impl->pushed != nullptr && impl->pushed != impl->scrollPress && isUsable(impl->pushed)) {
        impl->pushed->onDrag(position);
    }
    return impl->pushed != nullptr || impl->hovered != nullptr;
}

bool Dataset::onMouseUp(host::Key key) {
    quadrix::Vector2 position = cursor();
    Object* target = findObjectAt(position);
    impl->hovered = target;
    if (key != host::Key::MouseLeft) {
        return target != nullptr;
    }
    Object* pushed = impl->pushed;
    ScrollArea* area = impl->scrollPress;
    bool wasDrag = area != nullptr && area->isDragging();
    impl->scrollPress = nullptr;
    if (area != nullptr) {
        area->onRelease(position, key, target == area);
    }
    impl->pushed = nullptr;
    if (pushed == nullptr) {
        return target != nullptr;
    }
    bool inside = target == pushed && !wasDrag;
    if (pushed != area) {
        pushed->onRelease(position, key, inside);
    }
    if (inside && isUsable(pushed)) {
        pushed->triggerEvent(Event::Click, static_cast<unsigned int>(key));
    }
    return true;
}

bool Dataset::onMouseCancel(host::Key) {
    bool had = impl->pushed != nullptr || impl->scrollPress != nullptr;
    if (impl->scrollPress != nullptr) {
        impl->scrollPress->onCancel();
    }
    if (impl->pushed != nullptr && impl->pushed != impl->scrollPress) {
        impl->pushed->onCancel();
    }
    impl->pushed = nullptr;
    impl->scrollPress = nullptr;
    return had;
}

bool Dataset::onMouseScroll(float x, float y) {
    ScrollArea* area = findScrollArea(findObjectAt(cursor()), false);
    if (area == nullptr || !isUsable(area)) {
        return false;
    }
    area->scrollBy(x, y);
    return true;
}

bool Dataset::onKeyDown(host::Key key) {
    if (key == host::Key::Shift) {
        impl->shift = true;
        return false;
    }
    if (auto* edit = dynamic_cast<EditBox*>(impl->focused); edit != nullptr && isUsable(edit)) {
        if (key == host::Key::Return) {
            edit->triggerEvent(Event::Submit, static_cast<unsigned int>(key));
            return true;
        }
        if (edit->onKeyDown(key, impl->shift)) {
            return true;
        }
    }
    if (key == host::Key::Tab) {
        kit::Array<int> indices = findPossibleFocusIndices(true);
        if (indices.empty()) {
            return false;
        }
        int current = getFocusedObjectIndex();
        int target = 0;
        if (impl->shift) {
            auto before = std::lower_bound(indices.begin(), indices.end(), current);
            target = current < 0 || before == indices.begin() ? indices.back() : *(before - 1);
        } else {
            auto after = std::upper_bound(indices.begin(), indices.end(), current);
            target = after != indices.end() ? *after : indices.front();
        }
        return trySetFocusedObjectByIndex(target, true);
    }
    if ((key == host::Key::Return || key == host::Key::Space) && impl->focused != nullptr &&
        dynamic_cast<ButtonBase*>(impl->focused) != nullptr && isUsable(impl->focused)) {
        impl->focused->triggerEvent(Event::Click, static_cast<unsigned int>(key));
        return true;
    }
    return false;
}

bool Dataset::onKeyUp(host::Key key) {
    if (key == host::Key::Shift) {
        impl->shift = false;
    }
    return false;
}

bool Dataset::onChar(unsigned int charCode) {
    auto* edit = dynamic_cast<EditBox*>(impl->focused);
    if (edit == nullptr || !isUsable(edit)) {
        return false;
    }
    return edit->onChar(charCode);
}

bool Dataset::onTouch(const kit::Array<quadrix::Vector2>& touches) {
    if (touches.size() < 2 || host::rendersys == nullptr) {
        impl->touchArea = nullptr;
        return false;
    }
    quadrix::Vector2 centre;
    for (const quadrix::Vector2& touch : touches) {
        centre += host::rendersys->toGuiPosition(touch);
    }
    centre = centre / static_cast<float>(touches.size());
    centre.y -= getKeyboardOffset();
    if (impl->touchArea == nullptr) {
        // Two fingers dragging scroll the area they started on.
        impl->touchArea = findScrollArea(findObjectAt(centre), false);
        impl->touchCentre = centre;
        return impl->touchArea != nullptr;
    }
    quadrix::Vector2 before = impl->touchArea->toLocal(impl->touchCentre);
    quadrix::Vector2 now = impl->touchArea->toLocal(centre);
    impl->touchArea->setScrollOffset(impl->touchArea->getScrollOffset() - (now - before));
    impl->touchCentre = centre;
    return true;
}

bool Dataset::onButtonDown(host::Button) {
    return false;
}

bool Dataset::onButtonUp(host::Button) {
    return false;
}

Object* Dataset::getFocusedObject() const {
    return impl->focused;
}

int Dataset::getFocusedObjectIndex() const {
    return impl->focused == nullptr ? -1 : impl->focused->getFocusIndex();
}

bool Dataset::setFocusedObject(Object* object) {
    if (object == impl->focused) {
        return true;
    }
    if (object != nullptr && object->getDataset() != this) {
        return false;
    }
    Object* old = impl->focused;
    impl->focused = object;
    if (old != nullptr) {
        old->onFocusChanged(false);
    }
    if (object != nullptr) {
        object->onFocusChanged(true);
    }
    return true;
}

void Dataset::removeFocus() {
    setFocusedObject(nullptr);
}

bool Dataset::trySetFocusedObjectByIndex(int index, bool strict) {
    if (index < 0) {
        removeFocus();
        return true;
    }
    Object* candidate = findFocusable(index, strict);
    return candidate != nullptr && setFocusedObject(candidate);
}

Object* Dataset::findFocusable(int index, bool strict) const {
    Object* candidate = nullptr;
    visit(root.get(), [&](Object* object) {
        if (candidate == nullptr && object->getFocusIndex() == index && (!strict || isUsable(object))) {
            candidate = object;
        }
    });
    return candidate;
}

kit::Array<int> Dataset::findPossibleFocusIndices(bool usable) const {
    kit::Array<int> indices;
    visit(root.get(), [&](Object* object) {
        if (object->getFocusIndex() >= 0 && (!usable || isUsable(object))) {
            indices.push_back(object->getFocusIndex());
        }
    });
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

}  // namespace gui
