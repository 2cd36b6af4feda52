#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "AudioFixture.h"
#include "audio/Playlist.h"
#include "kit/ResourceDir.h"
#include "kit/Time.h"

using audio::manager;

namespace {

// One mixer volume step.
constexpr float step = 1.0f / 128.0f;

// Advances the manager in small steps of real time until the condition holds or `seconds` pass.
template <class Condition>
bool waitUntil(Condition condition, double seconds) {
    double end = kit::monotonicSeconds() + seconds;
    while (!condition()) {
        if (kit::monotonicSeconds() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        manager->update(0.01f);
    }
    return true;
}

}  // namespace

using ManagerTest = AudioFixture;

TEST_F(ManagerTest, SoundsAreNamedByFileWithoutExtensionAndOtherFilesAreSkipped) {
    start(false);
    EXPECT_TRUE(manager->hasSound("first to finish lap"));
    EXPECT_TRUE(manager->hasSound("track b"));
    EXPECT_FALSE(manager->hasSound("readme"));
    EXPECT_FALSE(manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared));
    EXPECT_EQ(manager->createSoundsFromFolder("data/audio/sound", "nothing"), 0);
    EXPECT_EQ(manager->createSoundsFromFolder("data/audio/none", "sound"), 0);
    EXPECT_EQ(countWarnings("nothing"), 1);
    EXPECT_EQ(countWarnings("data/audio/none"), 1);
}

TEST_F(ManagerTest, EffectiveGainIsInstanceTimesCategoryTimesGlobal) {
    start(false);
    manager->play("long", 0.0f, true, 0.5f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.5f, step);
    manager->setCategoryGain("sound", 0.5f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.25f, step);
    manager->setGain(0.5f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.125f, step);
    manager->setCategoryGain("music", 0.0f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.125f, step);

    manager->play("track a", 0.0f, false, 1.0f);
    EXPECT_NEAR(manager->getPlayingGain("track a"), 0.0f, step);
    manager->setCategoryGain("music", 1.0f);
    manager->setGain(2.0f);  // clamped: the mixer cannot amplify
    EXPECT_FLOAT_EQ(manager->getGain(), 1.0f);
    EXPECT_NEAR(manager->getPlayingGain("track a"), 1.0f, step);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.25f, step);

    manager->setCategoryGain("voices", 0.3f);
    EXPECT_EQ(countWarnings("voices"), 1);
}

TEST_F(ManagerTest, FadesRampInAndOutToSilenceDrivenByUpdate) {
    start(false);
    int handle = manager->play("long", 1.0f, false, 1.0f);
    ASSERT_NE(handle, 0);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.0f, step);
    manager->update(0.5f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.5f, step);
    manager->update(0.6f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 1.0f, step);

    manager->stopFirst("long", 2.0f);
    manager->update(1.0f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.5f, step);
    EXPECT_TRUE(manager->isPlaying(handle));
    manager->update(1.0f);
    EXPECT_FALSE(manager->isPlaying(handle));
    EXPECT_FALSE(manager->isAnyPlaying("long"));
}

TEST_F(ManagerTest, FadeOutDuringFadeInTakesTheGivenTime) {
    start(false);
    int handle = manager->play("long", 1.0f, false, 1.0f);
    manager->update(0.4f);
    manager->stop(handle, 0.4f);
    manager->update(0.2f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.2f, step);
    manager->update(0.2f);
    EXPECT_FALSE(manager->isPlaying(handle));
}

TEST_F(ManagerTest, StopFirstStopsTheOldestInstanceNotAlreadyFading) {
    start(false);
    int first = manager->play("long", 0.0f, false, 1.0f);
    int second = manager->play("long", 0.0f, false, 1.0f);
    int third = manager->play("long", 0.0f, false, 1.0f);
    manager->stopFirst("long", 0.0f);
    EXPECT_FALSE(manager->isPlaying(first));
    EXPECT_TRUE(manager->isPlaying(second));

    manager->stopFirst("long", 1.0f);
    manager->stopFirst("long", 1.0f);
    manager->update(0.5f);
    EXPECT_TRUE(manager->isPlaying(second));
    EXPECT_TRUE(manager->isPlaying(third));
    manager->update(0.5f);
    EXPECT_FALSE(manager->isAnyPlaying("long"));
    manager->stopFirst("long", 0.0f);  // nothing left: harmless
}

TEST_F(ManagerTest, StopAllFadesEverySoundToSilence) {
    start(false);
    manager->play("long", 0.0f, true, 1.0f);
    manager->play("first to finish lap", 0.0f, true, 1.0f);
    manager->play("track a", 0.0f, true, 1.0f);
    manager->stopAll(0.25f);
    manager->update(0.2f);
    EXPECT_TRUE(manager->isAnyPlaying("long"));
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    manager->update(0.05f);
    EXPECT_FALSE(manager->isAnyPlaying("long"));
    EXPECT_FALSE(manager->isAnyPlaying("first to finish lap"));
    EXPECT_FALSE(manager->isAnyPlaying("track a"));
}

TEST_F(ManagerTest, AShortSoundEndsOnItsOwn) {
    start(false);
    int handle = manager->play("click", 0.0f, false, 1.0f);
    ASSERT_NE(handle, 0);
    EXPECT_TRUE(manager->isAnyPlaying("click"));
    EXPECT_TRUE(waitUntil([] { return !manager->isAnyPlaying("click"); }, 5.0));
    EXPECT_FALSE(manager->isPlaying(handle));
}

TEST_F(ManagerTest, OnlyOneMusicStreamPlaysAtATime) {
    start(false);
    int first = manager->play("track a", 0.0f, false, 1.0f);
    int second = manager->play("track b", 0.0f, false, 1.0f);
    EXPECT_FALSE(manager->isPlaying(first));
    EXPECT_TRUE(manager->isPlaying(second));
    EXPECT_TRUE(manager->isAnyPlaying("track b"));
    EXPECT_TRUE(manager->isPlaying(manager->play("click", 0.0f, false, 1.0f)));
    EXPECT_TRUE(manager->isPlaying(second));
}

TEST_F(ManagerTest, MissingSoundIsWarnedOnceAndPlaysNothing) {
    start(false);
    EXPECT_EQ(manager->play("no such sound", 0.0f, false, 1.0f), 0);
    EXPECT_EQ(manager->play("no such sound", 0.0f, false, 1.0f), 0);
    manager->stopFirst("no such sound", 0.5f);
    EXPECT_FALSE(manager->isAnyPlaying("no such sound"));
    EXPECT_EQ(countWarnings("no such sound"), 1);
}

TEST_F(ManagerTest, SuspendHoldsEverythingAndResumeLetsItGoOn) {
    start(false);
    int handle = manager->play("long", 0.0f, false, 1.0f);
    manager->stop(handle, 1.0f);
    manager->suspendAudio();
    EXPECT_EQ(manager->play("click", 0.0f, false, 1.0f), 0);
    manager->update(5.0f);
    EXPECT_TRUE(manager->isPlaying(handle));
    manager->resumeAudio();
    EXPECT_NEAR(manager->getPlayingGain("long"), 1.0f, step);
    manager->update(0.5f);
    EXPECT_NEAR(manager->getPlayingGain("long"), 0.5f, step);
    EXPECT_NE(manager->play("click", 0.0f, false, 1.0f), 0);
}

TEST_F(ManagerTest, PausedInstanceStaysHeldThroughSuspendAndResume) {
    start(false);
    int handle = manager->play("long", 0.0f, false, 1.0f);
    manager->pause(handle);
    manager->suspendAudio();
    manager->resumeAudio();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    manager->update(0.05f);
    EXPECT_TRUE(manager->isPlaying(handle));
    manager->stop(handle, 1.0f);  // a held instance is not heard: it stops at once
    EXPECT_FALSE(manager->isPlaying(handle));
}

TEST_F(ManagerTest, FreeUnusedMemoryKeepsSoundsThatPlayAndReloadsOnDemand) {
    start(false);
    EXPECT_EQ(manager->getLoadedSoundCount(), 0);
    int handle = manager->play("long", 0.0f, false, 1.0f);
    manager->freeUnusedMemory();
    EXPECT_EQ(manager->getLoadedSoundCount(), 1);
    EXPECT_TRUE(manager->isPlaying(handle));
    manager->stop(handle, 0.0f);
    manager->freeUnusedMemory();
    EXPECT_EQ(manager->getLoadedSoundCount(), 0);
    EXPECT_NE(manager->play("click", 0.0f, false, 1.0f), 0);
    EXPECT_EQ(manager->getLoadedSoundCount(), 1);
}

TEST_F(ManagerTest, DamagedFilesAreReportedNotPlayed) {
    std::ofstream(kit::ResourceDir::getPath("data/audio/sound/broken.wav")) << "RIFF garbage";
    std::ofstream(kit::ResourceDir::getPath("data/audio/music/broken music.ogg")) << "OggS garbage";
    ASSERT_TRUE(audio::init(audio::System::Default, nullptr, false, 0.01f, ""));
    manager->createCategory("music", audio::BufferMode::Stream, audio::SourceMode::Shared);
    manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared);
    EXPECT_EQ(manager->createSoundsFromFolder("data/audio/sound", "sound"), 4);
    EXPECT_EQ(manager->getLoadedSoundCount(), 0) << "sounds are decoded when they first play";
    EXPECT_EQ(manager->play("broken", 0.0f, false, 1.0f), 0);
    EXPECT_EQ(manager->play("broken", 0.0f, false, 1.0f), 0);
    EXPECT_EQ(countWarnings("broken"), 1);
    EXPECT_NE(manager->play("click", 0.0f, false, 1.0f), 0);

    EXPECT_EQ(manager->createSoundsFromFolder("data/audio/music", "music"), 4);
    EXPECT_EQ(manager->play("broken music", 0.0f, false, 1.0f), 0);
    EXPECT_EQ(manager->play("broken music", 0.0f, false, 1.0f), 0);
    EXPECT_EQ(countWarnings("broken music"), 1);
}

TEST_F(ManagerTest, ThreadedManagerFadesByTheClock) {
    start(true);
    int handle = manager->play("long", 0.0f, false, 1.0f);
    manager->stop(handle, 0.05f);
    manager->update(100.0f);  // the thread owns the clock: this changes nothing
    EXPECT_TRUE(manager->isPlaying(handle));
    double end = kit::monotonicSeconds() + 3.0;
    while (manager->isPlaying(handle) && kit::monotonicSeconds() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_FALSE(manager->isPlaying(handle));
}

TEST_F(ManagerTest, WithoutADeviceEveryCallIsHarmless) {
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    kit::String saved = driver ? driver : "";
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_FALSE(audio::init(audio::System::Default, nullptr, true, 0.01f, ""));
    setenv("SDL_AUDIODRIVER", saved.c_str(), 1);
    ASSERT_NE(manager, nullptr);
    EXPECT_FALSE(manager->isDeviceOpen());

    manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared);
    EXPECT_EQ(manager->createSoundsFromFolder("data/audio/sound", "sound"), 3);
    manager->setCategoryGain("sound", 0.5f);
    EXPECT_EQ(manager->play("click", 0.5f, true, 1.0f), 0);
    EXPECT_FALSE(manager->isAnyPlaying("click"));
    manager->stopFirst("click", 0.5f);
    manager->stopAll(0.25f);
    manager->suspendAudio();
    manager->resumeAudio();
    manager->freeUnusedMemory();
    manager->update(0.1f);

    audio::Playlist playlist({"click", "long"}, true);
    playlist.play(0.0f);
    playlist.update();
    playlist.update();
    EXPECT_TRUE(playlist.isPlaying());
    EXPECT_EQ(countWarnings(""), 1);
}
