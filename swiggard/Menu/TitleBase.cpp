#include "Menu/TitleBase.h"

#include <gui/Animator.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include "System/Core.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/TempState.h"

namespace Menu {

namespace {

const kit::String ShirtDialog = "menu/dialog/shirt";
const kit::String ShirtContext = "Dialog:Shirt";
// The animator that keeps the clock, and the others with their offsets from it.
const kit::String ClockAnimator = "animator_shirt";
const struct {
    const char* name;
    float offset;
} FollowingAnimators[] = {
    {"animator_fb_like", 0.5f}, {"animator_rate_me", 1.0f}, {"animator_more_games", 1.5f}};

}  // namespace

TitleBase::TitleBase(ventrel::system::Context* owner, const kit::String& name) : Base(owner, name) {}

ventrel::system::Contract TitleBase::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    for (const char* button : {"button_more_games", "button_fb_like", "button_rate_me", "button_shirt"}) {
        contract.add({button, Kind::Button});
    }
    contract.add({ClockAnimator, Kind::Animator});
    for (const auto& animator : FollowingAnimators) {
        contract.add({animator.name, Kind::Animator});
    }
    return contract;
}

void TitleBase::setup() {
    Base::setup();
    float clock = System::tempState() ? System::tempState()->getTitleAnimationTime() : 0.0f;
    if (gui::Animator* shirt = getAnimator(ClockAnimator)) {
        shirt->setTime(clock);
    }
    for (const auto& animator : FollowingAnimators) {
        if (gui::Animator* found = getAnimator(animator.name)) {
            found->setTime(clock + animator.offset);
        }
    }
}

void TitleBase::finish() {
    gui::Animator* shirt = getAnimator(ClockAnimator);
    if (shirt && System::tempState()) {
        System::tempState()->setTitleAnimationTime(shirt->getTime());
    }
    Base::finish();
}

void TitleBase::_setupDataset() {
    Base::_setupDataset();
    if (gui::Object* rate = getObject("button_rate_me")) {
        rate->setVisible(false);
    }
    if (gui::Object* like = getObject("button_fb_like")) {
        like->setVisible(true);
    }
}

void TitleBase::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_more_games", &TitleBase::_moreGames);
    bind("button_fb_like", &TitleBase::_like);
    bind("button_shirt", &TitleBase::_shirt);
}

void TitleBase::_moreGames() {
    System::openConfiguredPage("GamesPage");
}

// Following the studio's page is what unlocks the hidden character.
void TitleBase::_like() {
    System::openConfiguredPage("SocialPage");
    System::unlockCharacter("17", true);
}

void TitleBase::_shirt() {
    ventrel::sceneManager->showDialog(ShirtDialog, this, this, kit::Array<kit::String>{}, ShirtContext);
}

// Both shirts open the shop; "later" closes the question.
void TitleBase::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    Base::dialogResult(dialog, button, context);
    if (dialog == ShirtDialog && context == ShirtContext && (button == 0 || button == 2)) {
        System::openConfiguredPage("ShirtShop");
    }
}

}  // namespace Menu
