#include <gtest/gtest.h>
#include <kit/File.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SaveManager.h>

#include <memory>

#include "System/ProfileSetup.h"
#include "TempFolder.h"

using ventrel::system::ProfileManager;

namespace {

class ProfileUpgrade : public ::testing::Test {
protected:
    void SetUp() override {
        ProfileManager::defaults.clear();
        ventrel::core = &core;
        restart();
        saves = std::make_unique<ventrel::system::SaveManager>();
        saves->setPath(folder.path);
        ventrel::saveManager = saves.get();
    }
    // A new program start: globals hold only what the game registers and the file holds.
    void restart() {
        ProfileManager::defaults.clear();
        profiles = std::make_unique<ProfileManager>();
        profiles->setFilename(folder.file("profile.cfg"));
        ventrel::profileManager = profiles.get();
        System::registerProfileGlobals();
    }
    void TearDown() override {
        ventrel::profileManager = nullptr;
        ventrel::saveManager = nullptr;
        ventrel::core = nullptr;
        ProfileManager::defaults.clear();
    }
    // Loads a profile file as an older game wrote it.
    void loadFile(const kit::String& version, const kit::String& globals) {
        for (const char* stale : {"profile.cfg.crc", "profile.cfg.bkp", "profile.cfg.bkp.crc"}) {
            kit::File::remove(folder.file(stale));
        }
        kit::File::write(folder.file("profile.cfg"), "[Version]:" + version + "\n\n[Selected]\n" + globals);
        restart();
        profiles->load();
    }
    kit::String global(const kit::String& key) { return profiles->getGlobals().at(key); }

    ventrel::system::Core core{"gui", "Morrowleaf", "Swiggard", kit::Version(2, 5, 7, 0)};
    TempFolder folder;
    std::unique_ptr<ProfileManager> profiles;
    std::unique_ptr<ventrel::system::SaveManager> saves;
};

}  // namespace

TEST_F(ProfileUpgrade, GlobalsAreRegisteredWithTheirDefaults) {
    EXPECT_EQ(global("MusicVolume"), "70");
    EXPECT_EQ(global("UnitSystem"), "UnitSystemMetric");
    EXPECT_EQ(global("UnlockedCharacters"), "");
    // Phones stay off until a player turns them on.
    EXPECT_EQ(global("Phones"), "0");
    // The glass of water comes at 0.05 %, and there is no taxi number until the group enters one.
    EXPECT_EQ(global("WaterNotice"), "WaterNotice5");
    EXPECT_EQ(global("RideNumber"), "");
    // The voice speaks only when asked to.
    EXPECT_EQ(global("ReadAloud"), "0");
    EXPECT_EQ(profiles->getGlobals().size(), 23u);
}

TEST_F(ProfileUpgrade, NothingHappensWithoutAFile) {
    profiles->load();
    EXPECT_FALSE(System::upgradeProfile());
    EXPECT_FALSE(kit::File::exists(folder.file("profile.cfg")));
}

TEST_F(ProfileUpgrade, VeryOldProfilesLoseTheLanguageAndGetTheirCharacters) {
    ventrel::system::GameState state;
    ASSERT_TRUE(saves->saveAuto(&state));
    loadFile("1.0.0", "Language:cs\nUnlockedBoro:1\nUnlockedFBlob:0\nUnlocked23:1\n");
    EXPECT_TRUE(System::upgradeProfile());
    EXPECT_EQ(global("Language"), "");
    EXPECT_FALSE(saves->existsAuto());
    EXPECT_EQ(global("UnlockedCharacters"), "16\t23");
    profiles->load();  // the upgrade was saved
    EXPECT_EQ(global("UnlockedCharacters"), "16\t23");
    EXPECT_EQ(profiles->getLoadedVersion(), kit::Version(2, 5, 7, 0));
}

TEST_F(ProfileUpgrade, EachStepAppliesOnlyBelowItsVersion) {
    loadFile("1.8.0", "Language:de\nUnlocked25:1\nUnlockedCharacters:25\n");
    EXPECT_TRUE(System::upgradeProfile());
    EXPECT_EQ(global("Language"), "de");
    EXPECT_EQ(global("UnlockedCharacters"), "25");

    ventrel::system::GameState state;
    ASSERT_TRUE(saves->saveAuto(&state));
    loadFile("2.5.0", "Language:de\nUnlocked17:1\n");
    EXPECT_TRUE(System::upgradeProfile());
    EXPECT_TRUE(saves->existsAuto());  // only files older than 2.4.2 lose their auto-save
    EXPECT_EQ(global("UnlockedCharacters"), "17");

    loadFile("2.5.7", "Language:de\nUnlocked16:1\n");
    EXPECT_FALSE(System::upgradeProfile());
    EXPECT_EQ(global("UnlockedCharacters"), "");
}
