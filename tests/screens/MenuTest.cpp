#include <gui/Label.h>
#include <kit/Exception.h>
#include <kit/Strings.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/menu/Pages.h>
#include <ventrel/system/Input.h>

#include "ScreensFixture.h"
#include "TestScreens.h"

namespace screenstest {
namespace {

using MenuTest = ScreensFixture;

TEST_F(MenuTest, TwoButtonDialogAnswersTheCallerWithButtonAndContext) {
    ventrel::menu::Dialog* dialog =
        ventrel::sceneManager->registerDialog(std::make_unique<ventrel::menu::Dialog>("menu/dialog/two", 2));
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    ASSERT_FALSE(dialog->isVisible());

    ventrel::sceneManager->showDialog("menu/dialog/two", scene, scene, kit::Array<kit::String>{"gui.First"},
                                      "Test:Ask");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(scene->getModalMenu(), dialog);
    EXPECT_EQ(ventrel::input->getCurrentState(), "Test:Ask");
    auto* first = static_cast<gui::Label*>(dialog->getObject("text_dialog_0"));
    auto* second = static_cast<gui::Label*>(dialog->getObject("text_dialog_1"));
    EXPECT_EQ(first->getTextKey(), "gui.First");
    EXPECT_EQ(second->getText(), "detail");  // fewer keys than labels: the rest keep their text
    step(2);

    click(scene->getObject("button_a"));  // the scene hears nothing while the dialog is up
    click(dialog->getObject("button_dialog_1"));
    step(2);
    EXPECT_TRUE(scene->clicked.empty());
    ASSERT_EQ(scene->answers.size(), 1u);
    EXPECT_EQ(scene->answers[0], std::make_tuple(kit::String("menu/dialog/two"), 1, kit::String("Test:Ask")));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(scene->getModalMenu(), nullptr);
    EXPECT_EQ(ventrel::input->getCurrentState(), ventrel::system::Input::DefaultState);
}

// A dialog that also binds a button whose name carries no index.
class MisnamedDialog : public ventrel::menu::Dialog {
public:
    MisnamedDialog() : Dialog("menu/dialog/two", 2) {}

protected:
    void _setupCallbacks() override {
        Dialog::_setupCallbacks();
        bind("button_dialog_extra", &MisnamedDialog::_buttonDialog);
    }
};

TEST_F(MenuTest, MisnamedDialogButtonWarnsAndKeepsTheDialogOpen) {
    ventrel::menu::Dialog* dialog = ventrel::sceneManager->registerDialog(std::make_unique<MisnamedDialog>());
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    ventrel::sceneManager->showDialog("menu/dialog/two", scene, scene, "", "Test:Misnamed");
    step(2);
    LogLines log;
    click(dialog->getObject("button_dialog_extra"));
    step(2);
    EXPECT_EQ(log.count(kit::Log::Level::Warn,
                        "Button 'button_dialog_extra' is not properly named to be assigned "
                        "as a dialog button in: menu/dialog/two"),
              1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(scene->answers.empty());

    // More texts than labels is the GUI library's error.
    EXPECT_THROW(
        ventrel::sceneManager->showDialog("menu/dialog/two", scene, scene,
                                          kit::Array<kit::String>{"gui.A", "gui.B", "gui.C"}, "Test:Texts"),
        kit::Exception);
}

// A menu that fades and scales in and out.
class FadingMenu : public ventrel::menu::Base {
public:
    explicit FadingMenu(ventrel::system::Context* owner) : Base(owner, "menu/animated") {
        useShowAnimation = true;
        useHideAnimation = true;
        scaleObjectName = "container_panel";
    }
};

class FadingScene : public MainScene {
public:
    FadingScene() : MainScene("scene/empty") {}
    FadingMenu* menu = nullptr;

protected:
    void _setupMenus() override { menu = _registerMenu(std::make_unique<FadingMenu>(this)); }
};

TEST_F(MenuTest, AnimatedShowOfAShownMenuDoesNothingAndHideFadesOut) {
    FadingScene* scene = startScene<FadingScene>([] { return std::make_unique<FadingScene>(); });
    FadingMenu* menu = scene->menu;
    gui::Object* panel = menu->getObject("container_panel");
    ASSERT_TRUE(menu->isVisible());
    menu->show();
    EXPECT_FALSE(menu->isVisibilityAnimated());
    EXPECT_EQ(menu->getRoot()->getAlpha(), 255);

    menu->hide();
    EXPECT_TRUE(menu->isVisibilityAnimated());
    ASSERT_TRUE(stepUntil([&] { return !menu->isVisibilityAnimated(); }));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FLOAT_EQ(panel->getScale().x, ventrel::menu::Base::hiddenScale.x);

    menu->show();
    EXPECT_TRUE(menu->isVisibilityAnimated());
    ASSERT_TRUE(stepUntil([&] { return !menu->isVisibilityAnimated(); }));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FLOAT_EQ(panel->getScale().x, 1.0f);
}

class FivePages : public ventrel::menu::Pages {
public:
    explicit FivePages(ventrel::system::Context* owner) : Pages(owner, "menu/pages", 5) {
        nextPageButtonName = "button_next";
        previousPageButtonName = "button_previous";
    }
    void turnTo(int page) { _switchPage(page); }
    // The one visible page, -1 when not exactly one is.
    int shownPage() const {
        int shown = -1;
        for (int page = 0; page < pageCount; ++page) {
            if (getObject("page_" + kit::toString(page))->isVisible()) {
                if (shown >= 0) {
                    return -1;
                }
                shown = page;
            }
        }
        return shown;
    }
};

class PagesScene : public MainScene {
public:
    PagesScene() : MainScene("scene/empty") {}
    FivePages* pages = nullptr;

protected:
    void _setupMenus() override { pages = _registerMenu(std::make_unique<FivePages>(this)); }
};

TEST_F(MenuTest, PagesWrapAroundAndSwitchingClamps) {
    PagesScene* scene = startScene<PagesScene>([] { return std::make_unique<PagesScene>(); });
    FivePages* pages = scene->pages;
    EXPECT_EQ(pages->shownPage(), 0);
    click(pages->getObject("button_previous"));
    step(2);
    EXPECT_EQ(pages->shownPage(), 4);
    EXPECT_EQ(pages->getCurrentPage(), 4);
    click(pages->getObject("button_next"));
    step(2);
    EXPECT_EQ(pages->shownPage(), 0);
    pages->turnTo(99);
    EXPECT_EQ(pages->shownPage(), 4);
    pages->turnTo(-3);
    EXPECT_EQ(pages->shownPage(), 0);
}

}  // namespace
}  // namespace screenstest
