#include <audio/Audio.h>
#include <audio/Manager.h>
#include <gtest/gtest.h>
#include <kit/Dir.h>
#include <kit/Env.h>
#include <kit/File.h>
#include <kit/Strings.h>
#include <kit/Time.h>
#include <net/Net.h>
#include <ventrel/CfgParser.h>

#include <chrono>
#include <thread>

#include "GameWorld.h"
#include "System/HttpDelegate.h"
#include "TestServer.h"

namespace {

// Counts the requests to start the board's ticker.
class TickerCore : public System::Core {
public:
    TickerCore() : System::Core(false) {}
    void startMotdTicker() override { ++tickerStarts; }
    int tickerStarts = 0;
};

class Motd : public ::testing::Test {
protected:
    void SetUp() override {
        kit::setEnv("MOTD_REPLY_FILE", replyFile);
        kit::setEnv("MOTD_LOG_FILE", logFile);
        server = std::make_unique<TestServer>();
        ASSERT_TRUE(server->isListening());
        ASSERT_TRUE(net::init(false));
        configure(server->url(""));
        core->openMotdSocket();
        core->setMotdShowCount(0);
    }
    void TearDown() override {
        core->closeMotdSocket();
        net::destroy();
        ventrel::cfg.reset();
    }

    void configure(const kit::String& host) {
        ventrel::cfg = ventrel::CfgParser::parseString("[System]\nMotdHost:" + host + "\n");
    }

    // Serves the body (or nothing: a 404) and waits until the request has come back.
    void request(const kit::String* body) {
        if (body) {
            kit::File::write(replyFile, *body);
        } else {
            kit::File::remove(replyFile);
        }
        size_t before = requestsSeen();
        core->requestMotd();
        ASSERT_EQ(core->getHttpSocket()->getPendingCount(), 1);
        double begin = kit::monotonicSeconds();
        while (core->getHttpSocket()->getPendingCount() > 0 && kit::monotonicSeconds() - begin < 5.0) {
            net::update(0.005f);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_EQ(requestsSeen(), before + 1);
    }
    void reply(const kit::String& body) { request(&body); }

    size_t requestsSeen() const { return kit::splitNonEmpty(kit::File::readText(logFile), "\n").size(); }
    kit::String motd() const { return System::profile().get("MOTD"); }

    TickerCore* core = new TickerCore();
    GameWorld world{core};
    kit::String replyFile = kit::Dir::joinPath(world.folder, "reply.txt");
    kit::String logFile = kit::Dir::joinPath(world.folder, "requests.txt");
    std::unique_ptr<TestServer> server;
};

}  // namespace

TEST_F(Motd, AddressAndUserAgent) {
    reply("Hello");
    kit::Array<kit::String> lines = kit::splitNonEmpty(kit::File::readText(logFile), "\n");
    ASSERT_EQ(lines.size(), 1u);
    kit::Array<kit::String> request = kit::split(lines[0], "\t");
    ASSERT_EQ(request.size(), 2u);
    EXPECT_EQ(request[0], "/games/swiggard/motd.php");
    EXPECT_TRUE(kit::startsWith(request[1], "SWG/2.5.7 (")) << request[1];
    EXPECT_TRUE(kit::endsWith(request[1], ")"));
    EXPECT_EQ(request[1], core->getUserAgent());
}

TEST_F(Motd, FirstLineTrimmedIsStoredAndShownThreeTimes) {
    reply("   Happy hour at nine!  \nsecond line\n");
    EXPECT_EQ(motd(), "Happy hour at nine!");
    EXPECT_EQ(core->getMotdShowCount(), 3);
    EXPECT_EQ(core->tickerStarts, 1);

    core->setMotdShowCount(1);
    reply("Happy hour at nine!\r\n");
    EXPECT_EQ(core->getMotdShowCount(), 1) << "an unchanged message is not shown again";
    EXPECT_EQ(core->tickerStarts, 2) << "but the board is still asked to start its ticker";
}

TEST_F(Motd, AndroidRepliesAreIgnored) {
    reply("Old news");
    core->setMotdShowCount(0);
    reply("Dear Android users. Please update.");
    reply("  Liebe Androidnutzer. Bitte aktualisieren.");
    EXPECT_EQ(motd(), "Old news");
    EXPECT_EQ(core->getMotdShowCount(), 0);
    EXPECT_EQ(core->tickerStarts, 1);
}

TEST_F(Motd, AnEmptyBodyClearsAPreviousMessage) {
    reply("Something");
    reply("");
    EXPECT_EQ(motd(), "");
    EXPECT_EQ(core->getMotdShowCount(), 3);
}

TEST_F(Motd, FailuresChangeNothing) {
    reply("Kept");
    core->setMotdShowCount(2);
    request(nullptr);
    EXPECT_EQ(motd(), "Kept");
    EXPECT_EQ(core->getMotdShowCount(), 2);
    EXPECT_EQ(core->tickerStarts, 1);
}

TEST(CoreTest, MotdIsDueEveryTenMinutes) {
    EXPECT_TRUE(System::Core::isMotdDue(599.9f, 600.1f));
    EXPECT_TRUE(System::Core::isMotdDue(1199.0f, 1201.0f));
    EXPECT_FALSE(System::Core::isMotdDue(600.1f, 601.0f));
    EXPECT_FALSE(System::Core::isMotdDue(0.0f, 0.5f));
}

TEST_F(Motd, AnEmptyHostSendsNothing) {
    configure("");
    core->requestMotd();
    EXPECT_EQ(core->getHttpSocket()->getPendingCount(), 0);
    EXPECT_EQ(core->getMotdUrl(), "");
    configure(" motd.example.org/ ");
    EXPECT_EQ(core->getMotdUrl(), "https://motd.example.org/games/swiggard/motd.php");
}

TEST(CoreTest, IdentityAndLogging) {
    System::Core normal(false);
    EXPECT_EQ(normal.getGuiPath(), "data/gui/definitions/normal");
    EXPECT_EQ(normal.getDeveloperName(), "Morrowleaf");
    EXPECT_EQ(normal.getGameName(), "Swiggard");
    EXPECT_EQ(normal.getGameVersion(), kit::Version(2, 5, 7, 0));
    EXPECT_EQ(normal.getSoundNameClick(), "click");
    EXPECT_EQ(normal.getLogFilename(), "log.txt");
    EXPECT_TRUE(normal.isLogOutputEnabled());
    EXPECT_EQ(normal.getMotdShowCount(), 3);

    ventrel::cfg = ventrel::CfgParser::parseString("[System]\nDebugLogging:0\n");
    System::Core quiet(true);
    EXPECT_EQ(quiet.getGuiPath(), "data/gui/definitions/mobile");
    EXPECT_TRUE(quiet.isMobile());
    EXPECT_EQ(quiet.getLogFilename(), "");
    EXPECT_FALSE(quiet.isLogOutputEnabled());
    ventrel::cfg.reset();
}

TEST(CoreTest, CharacterUnlocking) {
    GameWorld world;
    EXPECT_TRUE(System::isCharacterUnlocked("05"));
    EXPECT_FALSE(System::isCharacterUnlocked("16"));
    EXPECT_FALSE(System::isCharacterUnlocked("17"));
    System::unlockCharacter("16", false);
    System::unlockCharacter("16", false);
    EXPECT_TRUE(System::isCharacterUnlocked("16"));
    EXPECT_FALSE(System::isCharacterUnlocked("17"));
    world.profiles->load();
    EXPECT_EQ(System::profile().getArray("UnlockedCharacters"), (kit::Array<kit::String>{"16"}));
}

TEST(CoreTest, AudioVolumesFollowTheProfile) {
    GameWorld world;
    ASSERT_TRUE(audio::init(audio::System::Default, nullptr, false, 0.01f, "") || audio::manager);
    audio::manager->createCategory("music", audio::BufferMode::Stream, audio::SourceMode::Shared);
    audio::manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared);
    System::profile().set("AudioVolume", "50");
    System::applyAudioVolumes();
    EXPECT_FLOAT_EQ(audio::manager->getGain(), 0.5f);
    EXPECT_FLOAT_EQ(audio::manager->getCategoryGain("music"), 0.7f);
    EXPECT_FLOAT_EQ(audio::manager->getCategoryGain("sound"), 0.8f);
    System::profile().set("AudioActive", "0");
    System::profile().set("SoundVolume", "25");
    System::applyAudioVolumes();
    EXPECT_FLOAT_EQ(audio::manager->getGain(), 0.0f);
    EXPECT_FLOAT_EQ(audio::manager->getCategoryGain("sound"), 0.25f);
    audio::destroy();
}
