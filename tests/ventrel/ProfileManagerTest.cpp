#include <gtest/gtest.h>
#include <kit/File.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/ProfileManager.h>

#include <memory>

#include "LogCapture.h"
#include "TempFolder.h"

using ventrel::system::Profile;
using ventrel::system::ProfileManager;

namespace {

class Profiles : public ::testing::Test {
protected:
    void SetUp() override {
        ProfileManager::defaults.clear();
        manager = std::make_unique<ProfileManager>();
        manager->setPath(folder.path + "/");
        manager->setFilename(folder.file("profile.cfg"));
        ventrel::profileManager = manager.get();
    }
    void TearDown() override {
        manager.reset();
        ventrel::profileManager = nullptr;
        ProfileManager::defaults.clear();
    }
    ProfileManager& m() { return *manager; }

    TempFolder folder;
    std::unique_ptr<ProfileManager> manager;
};

}  // namespace

TEST_F(Profiles, LookUpGoesGlobalThenOwnThenDefault) {
    m().addDefault("Volume", "80");
    m().addGlobal("Language", "en");
    m().setMaximum(3);
    ASSERT_TRUE(m().createProfile("A", false));
    ASSERT_TRUE(m().createProfile("B", false));
    Profile* a = m()["A"];
    Profile* b = m()["B"];
    EXPECT_EQ(ventrel::profile, a);
    EXPECT_EQ(a->get("Volume"), "80");
    EXPECT_EQ(a->get("Missing"), "");
    EXPECT_TRUE(a->set("Volume", "10"));
    EXPECT_EQ(b->get("Volume"), "80");
    EXPECT_TRUE(a->set("Language", "de"));
    EXPECT_EQ(b->get("Language"), "de");  // a global changes for everybody
    LogCapture log;
    EXPECT_FALSE(a->set("Volume", "10"));
    EXPECT_FALSE(b->set("Language", "de"));
    EXPECT_TRUE(log.others.empty());
}

TEST_F(Profiles, ArraysAndMapsAreTabJoined) {
    ASSERT_TRUE(m().createProfile("A", true));
    Profile* a = ventrel::profile;
    a->set("list", kit::Array<kit::String>{"x", "y"});
    EXPECT_EQ(a->get("list"), "x\ty");
    EXPECT_EQ(a->getArray("list"), (kit::Array<kit::String>{"x", "y"}));
    a->set("map", kit::Map<kit::String, kit::String>{{"k1", "v1"}, {"k2", "v2"}});
    EXPECT_EQ(a->get("map"), "k1\tv1\tk2\tv2");
    EXPECT_EQ(a->getMap("map"), (kit::Map<kit::String, kit::String>{{"k1", "v1"}, {"k2", "v2"}}));
    a->set("odd", "k1\tv1\tk2");
    EXPECT_EQ(a->getMap("odd").size(), 1u);
}

TEST_F(Profiles, CreateDeleteActivate) {
    EXPECT_TRUE(m().canCreateProfile());
    ASSERT_TRUE(m().createProfile("A", false));
    EXPECT_FALSE(m().canCreateProfile());  // the default maximum is one
    EXPECT_FALSE(m().createProfile("A", false));
    m().setMaximum(5);
    m().createProfile("B", false);
    m().createProfile("C", false);
    EXPECT_TRUE(m().activateProfile("B"));
    EXPECT_TRUE(m().deleteProfile("B"));
    EXPECT_EQ(ventrel::profile->getName(), "C");  // the next one moves into its place
    EXPECT_TRUE(m().deleteProfile("C"));
    EXPECT_EQ(ventrel::profile->getName(), "A");  // the new last one
    EXPECT_FALSE(m().deleteProfile("C"));
    EXPECT_FALSE(m().activateProfile("C"));
    EXPECT_TRUE(m().deleteProfile("A"));
    EXPECT_EQ(ventrel::profile, nullptr);
}

TEST_F(Profiles, SaveWritesTheFileFormatAndLoadReadsItBack) {
    m().addDefault("Own", "d");
    m().addGlobal("Language", "en");
    m().setMaximum(2);
    m().createProfile("P1", false);
    m().createProfile("P2", true);
    m()["P1"]->set("Own", "mine");
    kit::String unlisted = "GlobalWithoutDefault";
    m()["P1"]->set(unlisted, "x");  // not global, so it stays in P1 only
    ASSERT_TRUE(m().save());
    EXPECT_EQ(kit::File::readText(folder.file("profile.cfg")),
              "[Version]\n\n[Selected]:P2\nLanguage:en\n\n[Profile]:P1\nOwn:mine\n\n[Profile]:P2\nOwn:d\n");

    m().load();
    ASSERT_EQ(m().getProfileNames(), (kit::Array<kit::String>{"P1", "P2"}));
    EXPECT_EQ(ventrel::profile->getName(), "P2");
    EXPECT_EQ(m()["P2"]->getProperties().at("Own"), "d");  // the default is now stored explicitly
    EXPECT_EQ(m()["P1"]->get(unlisted), "");
}

TEST_F(Profiles, LoadCopesWithDamageGarbageAndMissingSelection) {
    {
        LogCapture log;
        m().load();
        EXPECT_EQ(log.warnings,
                  (std::vector<std::string>{"Profiles not possible to load (CRC32 and backup failed): " +
                                            folder.file("profile.cfg")}));
    }
    kit::File::write(folder.file("profile.cfg"),
                     "garbage line\n[Version]:1.8.0\n[Selected]:Nobody\nLanguage:cs\n[Profile]\nLost:1\n"
                     "[Profile]:A\nk:1\n[Profile]:A\nk:2\n[Profile]:B\n");
    m().load();
    EXPECT_EQ(m().getProfileNames(), (kit::Array<kit::String>{"A", "B"}));
    EXPECT_EQ(ventrel::profile->getName(), "A");  // "Nobody" does not exist
    EXPECT_EQ(m().getLoadedVersion(), kit::Version(1, 8, 0, 0));
    EXPECT_EQ(m()["A"]->get("k"), "1");
    EXPECT_EQ(m().getGlobals().at("Language"), "cs");
}

TEST_F(Profiles, DamagedFileFallsBackToTheBackupAndResetWritesDefaults) {
    m().addGlobal("Language", "en");
    m().createProfile("A", true);
    m().save();
    m()["A"]->set("Language", "de");
    m().save();
    kit::String path = folder.file("profile.cfg");
    kit::String bytes = kit::File::readText(path);
    bytes[bytes.size() - 3] ^= 1;
    kit::File::write(path, bytes);
    m().load();
    EXPECT_EQ(m().getGlobals().at("Language"), "en");

    m().reset();
    EXPECT_TRUE(m().getProfiles().empty());
    EXPECT_TRUE(kit::File::exists(path));
    EXPECT_FALSE(kit::File::exists(path + ".bkp"));
}
