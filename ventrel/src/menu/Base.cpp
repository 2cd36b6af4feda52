#include "ventrel/menu/Base.h"

#include <kit/Log.h>

#include "ventrel/Ventrel.h"

namespace ventrel::menu {

Base::Base(system::Context* owner, const kit::String& name) : Context(name) {
    this->owner = owner;
}

void Base::setVisible(bool visible) {
    if (root && (useShowAnimation || useHideAnimation)) {
        root->setAlpha(visible ? 255 : 0);
    } else if (root) {
        root->setVisible(visible);
    }
    if (visible) {
        _instantShow();
    } else {
        _instantHide();
    }
    _updateVisibility(visible);
}

void Base::_updateVisibility(bool visible) {
    if (!owner) {
        return;
    }
    if (visible && alwaysModal) {
        owner->setModalMenu(this);
    } else if (!visible) {
        _releaseOwner();
    }
}

void Base::_releaseOwner() {
    if (owner && owner->getModalMenu() == this) {
        owner->setModalMenu(nullptr);
    }
    if (dataset) {
        dataset->removeFocus();
    }
}

void Base::setup() {
    kit::Log::debug(LogTag, "Menu setup: " + rootName);
    Context::setup();
    refresh();
    if (visibleOnSetup) {
        _instantShow();
    } else {
        _instantHide();
    }
}

void Base::finish() {
    kit::Log::debug(LogTag, "Menu finish: " + rootName);
    Context::finish();
}

void Base::show() {
    if (!isVisible()) {
        _unsetPreselected();
    }
    if (!useShowAnimation) {
        setVisible(true);
        refresh();
        inputAllowed = false;
        refresh();
        _takeGroupFocus();
        return;
    }
    if (!_canAnimateShow()) {
        return;
    }
    if (owner && alwaysModal) {
        owner->setModalMenu(this);
    }
    refresh();
    inputAllowed = false;
    _instantHide();
    _animateShow();
    _takeGroupFocus();
}

void Base::hide() {
    if (isVisible()) {
        _unsetPreselected();
    }
    if (!useHideAnimation) {
        setVisible(false);
        return;
    }
    if (!_canAnimateHide()) {
        return;
    }
    _releaseOwner();
    inputAllowed = false;
    _instantShow();
    _animateHide();
}

void Base::instantShow() {
    if (!isVisible()) {
        _unsetPreselected();
    }
    _instantShow();
    setVisible(true);
    refresh();
    inputAllowed = false;
    refresh();
}

void Base::instantHide() {
    if (isVisible()) {
        _unsetPreselected();
    }
    _instantHide();
    setVisible(false);
}

bool Base::_isAnyAnimating() const {
    return (fadeObject && fadeObject->isAnimating()) || (scaleObject && scaleObject->isAnimating());
}

bool Base::isVisibilityAnimated() const {
    return (useShowAnimation || useHideAnimation) && _isAnyAnimating();
}

void Base::_setupDataset() {
    Context::_setupDataset();
    if (!fadeObjectName.empty() && dataset->hasObject(fadeObjectName)) {
        fadeObject = getObject(fadeObjectName);
    } else if (fadeObjectName == "root") {
        fadeObject = root;
    }
    if (!scaleObjectName.empty() && dataset->hasObject(scaleObjectName)) {
        scaleObject = getObject(scaleObjectName);
    }
    if ((useShowAnimation || useHideAnimation) && !fadeObject && !scaleObject) {
        kit::Log::warn(LogTag, "Using visibility animations without objects in: " + rootName);
    }
}

void Base::_startUpdate() {
    Context::_startUpdate();
    if (!isVisible() || isVisibilityAnimated()) {
        inputAllowed = false;
    }
}

namespace {

bool differs(const quadrix::Vector2& a, const quadrix::Vector2& b) {
    return a.x != b.x || a.y != b.y;
}

}  // namespace

bool Base::_canAnimateShow() const {
    if (fadeObject && (fadeObject->isAnimating() || fadeObject->getAlpha() == 255)) {
        return false;
    }
    if (!scaleObject) {
        return true;
    }
    return !scaleObject->isAnimating() && differs(scaleObject->getScale(), quadrix::Vector2(1.0f, 1.0f));
}

bool Base::_canAnimateHide() const {
    if (fadeObject && (fadeObject->isAnimating() || fadeObject->getAlpha() == 0)) {
        return false;
    }
    if (!scaleObject) {
        return true;
    }
    return !scaleObject->isAnimating() && differs(scaleObject->getScale(), hiddenScale);
}

void Base::_animateShow() {
    if (fadeObject) {
        fadeObject->fadeAlpha(255, visibilityAnimationSpeed);
    }
    if (scaleObject) {
        scaleObject->scale(quadrix::Vector2(1.0f, 1.0f), visibilityAnimationSpeed);
    }
}

void Base::_animateHide() {
    if (fadeObject) {
        fadeObject->fadeAlpha(0, visibilityAnimationSpeed);
    }
    if (scaleObject) {
        scaleObject->scale(hiddenScale, visibilityAnimationSpeed);
    }
}

void Base::_instantShow() {
    if (fadeObject) {
        fadeObject->fadeAlphaStop();
        fadeObject->setAlpha(255);
    }
    if (scaleObject) {
        scaleObject->scaleStop();
        scaleObject->setScale(quadrix::Vector2(1.0f, 1.0f));
    }
}

void Base::_instantHide() {
    if (fadeObject) {
        fadeObject->fadeAlphaStop();
        fadeObject->setAlpha(0);
    }
    if (scaleObject) {
        scaleObject->scaleStop();
        scaleObject->setScale(hiddenScale);
    }
}

}  // namespace ventrel::menu
