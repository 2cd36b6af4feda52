#include "Menu/InGame/Main.h"

#include <gui/Dataset.h>
#include <gui/Gui.h>
#include <gui/Label.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/SceneManager.h>

#include "Menu/Help.h"
#include "Menu/InGame/Status.h"
#include "Menu/InGame/Story.h"
#include "Menu/Phones.h"
#include "Menu/Settings.h"
#include "System/Navigation.h"
#include "System/Objects.h"

namespace Menu::InGame {

namespace {

const kit::String GuiMenu = "menu/ingame/gui";
constexpr int InfoFocus = 6;
constexpr int InfoButtonFocus = 3;
constexpr int StoryButtonFocus = 9;

}  // namespace

Main::Main(ventrel::system::Context* owner) : Base(owner, "menu/ingame/main") {
    confirmObjectName = "button_continue";
    cancelObjectName = "button_continue";
    alwaysModal = true;
    visibleOnSetup = false;
    useShowAnimation = true;
    useHideAnimation = true;
    setAutoFocusMode(10, 1, false);
}

ventrel::system::Contract Main::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    for (const char* button :
         {"button_continue", "button_info", "button_info_ok", "button_settings", "button_help", "button_exit",
          "button_fbshare", "button_phones", "button_end_night", "button_story"}) {
        contract.add({button, Kind::Button});
    }
    return contract.add({"menu", Kind::Object})
        .add({"container_info", Kind::Object})
        .add({"label_info", Kind::Label})
        .add({"scroll_area", Kind::ScrollArea});
}

void Main::_setupMenus() {
    status = _registerMenu(std::make_unique<Status>(this));
    story = _registerMenu(std::make_unique<Story>(this));
    story->setOnBack([this] { _storyBack(); });
    help = _registerMenu(std::make_unique<Help>(this));
    settings = _registerMenu(std::make_unique<Settings>(this));
    phones = _registerMenu(std::make_unique<Phones>(this));
    // Over the pause panel they take all input until closed.
    help->setAlwaysModal(true);
    settings->setAlwaysModal(true);
}

void Main::setup() {
    Base::setup();
    for (ventrel::menu::Base* menu :
         {static_cast<ventrel::menu::Base*>(status), static_cast<ventrel::menu::Base*>(story),
          static_cast<ventrel::menu::Base*>(help), static_cast<ventrel::menu::Base*>(settings),
          static_cast<ventrel::menu::Base*>(phones)}) {
        menu->setVisible(false);
    }
}

void Main::_setupDataset() {
    Base::_setupDataset();
    panel = getObject("menu");
    System::setVisible(this, "button_fbshare", false);
    // The explanation is not translated for Russian players, so its button goes too.
    if (kit::startsWith(gui::getLocalization(), "ru")) {
        System::setVisible(this, "button_info", false);
    }
}

void Main::_setupDatasetAspect() {
    Base::_setupDatasetAspect();
    System::fitTextToScrollArea(this, "label_info", "scroll_area");
}

void Main::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_continue", &Main::_continue);
    bind("button_info", &Main::_info);
    bind("button_info_ok", &Main::_infoOk);
    bind("button_story", &Main::_story);
    bind("button_settings", &Main::_settings);
    bind("button_help", &Main::_help);
    bind("button_phones", &Main::_phones);
    bind("button_exit", &Main::_exit);
    bind("button_end_night", &Main::_endNight);
}

void Main::_continue() {
    hide();
    if (owner && owner->getMenu(GuiMenu)) {
        owner->getMenu(GuiMenu)->show();
    }
}

void Main::_info() {
    status->setVisible(false);
    System::setVisible(this, "container_info", true);
    if (status->getDataset()) {
        status->getDataset()->removeFocus();
    }
    setFocusIndex(InfoFocus);
}

void Main::_infoOk() {
    System::setVisible(this, "container_info", false);
    status->setVisible(true);
    setFocusIndex(InfoButtonFocus);
}

void Main::_story() {
    status->setVisible(false);
    System::setVisible(this, "container_info", false);
    if (status->getDataset()) {
        status->getDataset()->removeFocus();
    }
    story->show();
}

void Main::_storyBack() {
    status->setVisible(true);
    setFocusIndex(StoryButtonFocus);
}

void Main::_settings() {
    settings->show();
}

void Main::_help() {
    help->show();
}

void Main::_phones() {
    phones->show();
    phones->refresh();
}

void Main::_exit() {
    if (ventrel::sceneManager) {
        ventrel::sceneManager->showDialog(ExitDialog, this, this, "gui.YesNoExitCurrentGame", ExitContext);
    }
}

// The game stays saved: the title can still resume it until a new game starts.
void Main::_endNight() {
    System::goToScene("Scene::EndOfNight", 0, 2.0f, 2.0f);
}

// Once the leaving question has gone, the next one asks whether the night ends.
void Main::_offerEndNight() {
    if (!endNightOffered || !ventrel::sceneManager) {
        return;
    }
    for (const ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
        if (dialog->isVisible()) {
            return;
        }
    }
    endNightOffered = false;
    ventrel::sceneManager->showDialog(ExitDialog, this, this, "gui.YesNoEndTheNight", EndNightContext);
}

bool Main::_isInfoShown() const {
    gui::Object* info = getObject("container_info");
    return info && info->isVisible() && info->isEnabled();
}

void Main::_updateInput() {
    confirmObjectName = _isInfoShown() ? "button_info_ok" : "button_continue";
    cancelObjectName = confirmObjectName;
    Base::_updateInput();
}

// While the pause menu holds the board, the bar keeps its clock and counts going.
void Main::_updateLogic() {
    Base::_updateLogic();
    _offerEndNight();
    // Help brings its own panel, settings the backdrop of their scene; the pause card and its list step
    // aside meanwhile.
    bool covered = help->isVisible() || settings->isVisible();
    if (panel) {
        panel->setVisible(!covered);
    }
    for (ventrel::menu::Base* list :
         {static_cast<ventrel::menu::Base*>(status), static_cast<ventrel::menu::Base*>(story)}) {
        if (list->getRoot()) {
            list->getRoot()->setVisible(!covered);
        }
    }
    System::setVisible(this, "image_settings_backdrop", settings->isVisible());
    if (owner && owner->getModalMenu() == this && owner->getMenu(GuiMenu)) {
        owner->getMenu(GuiMenu)->update();
    }
}

void Main::refresh() {
    Base::refresh();
    if (status && status->isVisible()) {
        status->refresh();
    }
}

void Main::show() {
    Base::show();
    System::setVisible(this, "container_info", false);
    story->setVisible(false);
    status->show();
    status->refresh();
    if (status->getDataset()) {
        status->getDataset()->removeFocus();
    }
}

void Main::hide() {
    Base::hide();
    status->hide();
    story->hide();
}

float Main::_shownPanelY() const {
    return root && panel ? root->getHeight() - panel->getHeight() : 0.0f;
}

float Main::_hiddenPanelY() const {
    return root ? root->getHeight() : 0.0f;
}

void Main::_animateShow() {
    Base::_animateShow();
    if (panel) {
        panel->moveY(_shownPanelY(), visibilityAnimationSpeed);
    }
}

void Main::_animateHide() {
    Base::_animateHide();
    if (panel) {
        panel->moveY(_hiddenPanelY(), visibilityAnimationSpeed);
    }
}

void Main::_instantShow() {
    Base::_instantShow();
    if (panel) {
        panel->moveStop();
        panel->setY(_shownPanelY());
    }
}

void Main::_instantHide() {
    Base::_instantHide();
    if (panel) {
        panel->moveStop();
        panel->setY(_hiddenPanelY());
    }
}

void Main::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    Base::dialogResult(dialog, button, context);
    if (dialog == ExitDialog && context == ExitContext && button == 0) {
        endNightOffered = true;
    } else if (dialog == ExitDialog && context == EndNightContext) {
        if (button == 0) {
            _endNight();
        } else {
            System::goToScene("Scene::Title", 0, 2.0f, 2.0f);
        }
    }
}

}  // namespace Menu::InGame
