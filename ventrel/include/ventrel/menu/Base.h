#pragma once

#include <quadrix/Vector2.h>

#include "ventrel/system/Context.h"

namespace ventrel::menu {

// A screen inside another one (its owner), or a stand-alone dialog or overlay: adds instant or
// animated visibility and modality to the context.
class Base : public system::Context {
public:
    // Speed of the fade and scale animations of showing and hiding.
    static inline float visibilityAnimationSpeed = 4.0f;
    // Scale of a hidden scale object.
    static inline quadrix::Vector2 hiddenScale = quadrix::Vector2(0.9f, 0.9f);

    Base(system::Context* owner, const kit::String& name);

    void setVisible(bool visible) override;
    void setup() override;
    void finish() override;
    void show() override;
    void hide() override;
    virtual void instantShow();
    virtual void instantHide();

    bool isAlwaysModal() const { return alwaysModal; }
    void setAlwaysModal(bool value) { alwaysModal = value; }
    bool isUseShowAnimation() const { return useShowAnimation; }
    void setUseShowAnimation(bool value) { useShowAnimation = value; }
    bool isUseHideAnimation() const { return useHideAnimation; }
    void setUseHideAnimation(bool value) { useHideAnimation = value; }
    gui::Object* getFadeObject() const { return fadeObject; }
    gui::Object* getScaleObject() const { return scaleObject; }
    // Whether a show or hide animation is running.
    bool isVisibilityAnimated() const;

protected:
    bool alwaysModal = false;
    bool visibleOnSetup = true;
    bool useShowAnimation = false;
    bool useHideAnimation = false;
    kit::String fadeObjectName = "root";
    kit::String scaleObjectName;
    gui::Object* fadeObject = nullptr;
    gui::Object* scaleObject = nullptr;

    void _setupDataset() override;
    void _startUpdate() override;
    virtual bool _canAnimateShow() const;
    virtual bool _canAnimateHide() const;
    virtual void _animateShow();
    virtual void _instantShow();
    virtual void _animateHide();
    virtual void _instantHide();

    // The owner bookkeeping of visibility: modality and focus.
    void _updateVisibility(bool visible);

private:
    bool _isAnyAnimating() const;
    void _releaseOwner();
};

}  // namespace ventrel::menu
