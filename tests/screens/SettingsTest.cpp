#include <gui/Gui.h>
#include <gui/ImageButton.h>
#include <gui/Label.h>
#include <gui/ProgressBar.h>
#include <gui/ToggleButton.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/menu/Localization.h>
#include <ventrel/menu/Profiles.h>
#include <ventrel/menu/Settings.h>
#include <ventrel/system/Profile.h>
#include <ventrel/system/ProfileManager.h>

#include <algorithm>

#include "ScreensFixture.h"
#include "TestScreens.h"

namespace screenstest {
namespace {

// One row of every kind; changing "quality" needs a restart.
class TestSettings : public ventrel::menu::Settings {
public:
    explicit TestSettings(ventrel::system::Context* owner)
        : Settings(owner, "menu/settings", "menu/dialog/ok", "gui.OkRestartGame", "gui.SettingOn",
                   "gui.SettingOff") {
        numericSettings["volume"] = ventrel::system::NumericSetting();
        progressSettings["music"] = ventrel::system::ProgressSetting();
        boolSettings["hints"].enabled = false;
        toggleSettings["fullscreen"] = ventrel::system::ToggleSetting();
        optionSettings["quality"].options = {"low", "medium", "high"};
        specialSettings["speed"].options = {"slow", "fast"};
        restartKeys = {"quality"};
    }
    void setApplyImmediately(bool value) { applyImmediately = value; }
    kit::Array<kit::String> takeChanges() { return _updateSettings(); }

protected:
    kit::String _getOptionTextKey(const kit::String& optionValue) override {
        return "gui.Quality_" + optionValue;
    }
};

class SettingsScene : public MainScene {
public:
    SettingsScene() : MainScene("scene/empty") {}
    TestSettings* settings = nullptr;

protected:
    void _setupMenus() override { settings = _registerMenu(std::make_unique<TestSettings>(this)); }
};

class SettingsTest : public ScreensFixture {
protected:
    SettingsScene* start() {
        dialog = ventrel::sceneManager->registerDialog(
            std::make_unique<ventrel::menu::Dialog>("menu/dialog/ok", 1));
        ventrel::profile->set("volume", "98");
        ventrel::profile->set("music", "0.5");
        ventrel::profile->set("quality", "ultra");
        SettingsScene* scene = startScene<SettingsScene>([] { return std::make_unique<SettingsScene>(); });
        settings = scene->settings;
        return scene;
    }
    kit::String text(const kit::String& name) const {
        return static_cast<gui::Label*>(settings->getObject(name))->getText();
    }
    kit::String textKey(const kit::String& name) const {
        return static_cast<gui::Label*>(settings->getObject(name))->getTextKey();
    }
    void press(const kit::String& name) {
        click(settings->getObject(name));
        step(2);
    }
    // Answers the restart notice when it is up; whether it was.
    bool answerNotice() {
        if (!dialog->isVisible()) {
            return false;
        }
        click(dialog->getObject("button_dialog_0"));
        step(2);
        return !dialog->isVisible();
    }

    ventrel::menu::Dialog* dialog = nullptr;
    TestSettings* settings = nullptr;
};

TEST_F(SettingsTest, RowsShowAndChangeTheirValues) {
    start();
    EXPECT_EQ(text("volume_value"), "98%");
    press("volume_increase");
    EXPECT_EQ(text("volume_value"), "100%");
    press("volume_increase");
    EXPECT_EQ(text("volume_value"), "100%");
    EXPECT_EQ(ventrel::profile->get("volume"), "100");
    press("volume_decrease");
    EXPECT_EQ(text("volume_value"), "95%");

    EXPECT_EQ(text("music_value"), "50%");
    EXPECT_FLOAT_EQ(static_cast<gui::ProgressBar*>(settings->getObject("music_progress_bar"))->getProgress(),
                    0.5f);

    // An option not offered falls back to the first; stepping wraps.
    EXPECT_EQ(textKey("quality_value"), "gui.Quality_low");
    press("quality_decrease");
    EXPECT_TRUE(answerNotice());
    EXPECT_EQ(textKey("quality_value"), "gui.Quality_high");
    EXPECT_EQ(ventrel::profile->get("quality"), "high");

    auto* toggle = static_cast<gui::ToggleButton*>(settings->getObject("fullscreen_value"));
    EXPECT_TRUE(toggle->isToggled());
    press("fullscreen_value");
    EXPECT_FALSE(toggle->isToggled());
    EXPECT_EQ(ventrel::profile->get("fullscreen"), "0");

    EXPECT_EQ(text("speed_value"), "slow");
    press("speed_value");
    EXPECT_EQ(text("speed_value"), "fast");
    press("speed_increase");
    EXPECT_EQ(text("speed_value"), "slow");
}

TEST_F(SettingsTest, DisabledRowStaysVisibleWithItsContainerDisabled) {
    start();
    gui::Object* hints = settings->getObject("hints_container");
    EXPECT_TRUE(hints->isVisible());
    EXPECT_FALSE(hints->isEnabled());
    EXPECT_TRUE(settings->getObject("volume_container")->isVisible());
    EXPECT_EQ(textKey("hints_value"), "gui.SettingOn");
    kit::Array<kit::String> enabled = settings->getEnabledSettingKeys();
    EXPECT_EQ(std::count(enabled.begin(), enabled.end(), "hints"), 0);
    EXPECT_EQ(settings->getSettingKeys().size(), 6u);
}

TEST_F(SettingsTest, RestartNoticeAfterEveryChangeWhenAppliedAtOnce) {
    start();
    press("quality_increase");
    EXPECT_TRUE(answerNotice());
    press("volume_increase");
    EXPECT_FALSE(dialog->isVisible());
    press("quality_increase");
    EXPECT_TRUE(answerNotice());
    EXPECT_EQ(ventrel::profile->get("quality"), "high");
}

TEST_F(SettingsTest, RestartNoticeOnceWhenStoredLater) {
    start();
    settings->setApplyImmediately(false);
    press("quality_increase");
    press("quality_increase");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ventrel::profile->get("quality"), "ultra");

    kit::Array<kit::String> changed = settings->takeChanges();
    EXPECT_EQ(std::count(changed.begin(), changed.end(), "quality"), 1);
    EXPECT_EQ(ventrel::profile->get("quality"), "high");
    step(2);
    EXPECT_TRUE(answerNotice());
    EXPECT_TRUE(settings->takeChanges().empty());
    EXPECT_FALSE(dialog->isVisible());
}

class TestLocalization : public ventrel::menu::Localization {
public:
    explicit TestLocalization(ventrel::system::Context* owner) : Localization(owner, "menu/localization") {
        imagePrefix = "flag_";
        containerName = "container_flags";
        cancelObjectName = "button_cancel";
        localizationAliases["pt_BR"] = "pt";
    }
    kit::String current = "en";

protected:
    kit::String _getCurrentLocalization() override { return current; }
    void _setCurrentLocalization(const kit::String& name) override { current = name; }
};

class LocalizationScene : public MainScene {
public:
    LocalizationScene() : MainScene("scene/empty") {}
    TestLocalization* menu = nullptr;

protected:
    void _setupMenus() override { menu = _registerMenu(std::make_unique<TestLocalization>(this)); }
};

class LocalizationTest : public ScreensFixture {
protected:
    void SetUp() override {
        ScreensFixture::SetUp();
        gui::setSupportedLocalizations({"en", "pt_BR", "cs"});
        gui::setLocalization("en");
    }
};

TEST_F(LocalizationTest, GridNamesButtonsByLocaleAndImagesByLanguage) {
    LogLines log;
    LocalizationScene* scene =
        startScene<LocalizationScene>([] { return std::make_unique<LocalizationScene>(); });
    TestLocalization* menu = scene->menu;
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->getLanguages(), (kit::Array<kit::String>{"en", "pt_BR", "cs"}));
    auto* portuguese = static_cast<gui::ImageButton*>(menu->getObject("pt_BR"));
    EXPECT_EQ(portuguese->getImageName(), "flag_pt");
    EXPECT_EQ(portuguese->getPosition().x, 186.0f);
    EXPECT_EQ(portuguese->getParent(), menu->getObject("container_flags"));
    // A flag without a picture is logged; its button is still there.
    EXPECT_EQ(static_cast<gui::ImageButton*>(menu->getObject("cs"))->getImageName(), "");
    EXPECT_EQ(menu->getCurrentLocalizationImageName(), "flag_en");
}

TEST_F(LocalizationTest, ChoosingSwitchesThroughTheAliasAndTheCurrentOneOnlyCloses) {
    LocalizationScene* scene =
        startScene<LocalizationScene>([] { return std::make_unique<LocalizationScene>(); });
    TestLocalization* menu = scene->menu;
    menu->show();
    step(2);
    click(menu->getObject("pt_BR"));
    step(2);
    EXPECT_EQ(gui::getLocalization(), "pt");
    EXPECT_EQ(menu->current, "pt_BR");
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->getCurrentLocalizationImageName(), "flag_pt");

    gui::setLocalization("en");
    menu->show();
    step(2);
    click(menu->getObject("pt_BR"));
    step(2);
    EXPECT_EQ(gui::getLocalization(), "en");
    EXPECT_FALSE(menu->isVisible());

    menu->show();
    step(2);
    click(menu->getObject("button_cancel"));
    step(2);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(menu->current, "pt_BR");

    // Enter clicks the current language's button.
    menu->show();
    step(2);
    driver->pressKey(host::Key::Enter);
    step(3);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(gui::getLocalization(), "en");
}

class TestProfiles : public ventrel::menu::Profiles {
public:
    explicit TestProfiles(ventrel::system::Context* owner) : Profiles(owner, "menu/sub") {}
    void add(const kit::String& name) {
        profileName = name;
        _addNewProfile();
    }
    void select(const kit::String& name) {
        profileName = name;
        _selectProfile();
    }
    void remove(const kit::String& name) {
        profileName = name;
        _deleteProfile();
    }
};

class ProfilesScene : public MainScene {
public:
    ProfilesScene() : MainScene("scene/empty") {}
    TestProfiles* profiles = nullptr;

protected:
    void _setupMenus() override { profiles = _registerMenu(std::make_unique<TestProfiles>(this)); }
};

using ProfilesTest = ScreensFixture;

TEST_F(ProfilesTest, CreatesActivatesAndDeletesProfiles) {
    ventrel::profileManager->setMaximum(4);
    ProfilesScene* scene = startScene<ProfilesScene>([] { return std::make_unique<ProfilesScene>(); });
    scene->profiles->add("Second");
    EXPECT_TRUE(ventrel::profileManager->hasProfile("Second"));
    EXPECT_EQ(ventrel::profile->getName(), "Second");
    scene->profiles->select("Tester");
    EXPECT_EQ(ventrel::profile->getName(), "Tester");
    scene->profiles->remove("Second");
    EXPECT_FALSE(ventrel::profileManager->hasProfile("Second"));
    EXPECT_EQ(ventrel::profile->getName(), "Tester");
}

}  // namespace
}  // namespace screenstest
