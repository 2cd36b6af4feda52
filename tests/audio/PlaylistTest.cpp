#include <algorithm>

#include "AudioFixture.h"
#include "audio/MultiPlaylist.h"
#include "audio/Playlist.h"
#include "kit/Random.h"

using audio::manager;

namespace {

// Lets the playing track end as if it had run out.
void endTrack(const audio::Playlist& playlist) {
    manager->stopFirst(playlist.getCurrentTrack(), 0.0f);
}

}  // namespace

using PlaylistTest = AudioFixture;

TEST_F(PlaylistTest, RepeatingPlaylistCyclesThroughItsTracks) {
    start(false);
    audio::Playlist playlist({"track a", "track b", "track c"}, true);
    playlist.play(0.0f);
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    playlist.update();
    EXPECT_EQ(playlist.getCurrentTrack(), "track a");

    kit::Array<kit::String> heard;
    for (int i = 0; i < 4; ++i) {
        endTrack(playlist);
        playlist.update();
        heard.push_back(playlist.getCurrentTrack());
        EXPECT_TRUE(manager->isAnyPlaying(heard.back()));
    }
    EXPECT_EQ(heard, (kit::Array<kit::String>{"track b", "track c", "track a", "track b"}));
    EXPECT_TRUE(playlist.isPlaying());
}

TEST_F(PlaylistTest, PlaylistWithoutRepeatEndsAfterItsLastTrack) {
    start(false);
    audio::Playlist playlist({"track a", "track b"}, false);
    playlist.play(0.0f);
    endTrack(playlist);
    playlist.update();
    endTrack(playlist);
    playlist.update();
    EXPECT_FALSE(playlist.isPlaying());
    EXPECT_TRUE(playlist.isFinished());
    EXPECT_FALSE(manager->isAnyPlaying("track a"));
    playlist.play(0.0f);  // starts over
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
}

TEST_F(PlaylistTest, MissingTrackIsSkippedWithOneWarning) {
    start(false);
    audio::Playlist playlist({"track a", "lost track", "track c"}, true);
    playlist.play(0.0f);
    for (int round = 0; round < 3; ++round) {
        endTrack(playlist);
        playlist.update();
        EXPECT_EQ(playlist.getCurrentTrack(), "lost track");
        playlist.update();
        EXPECT_EQ(playlist.getCurrentTrack(), "track c");
        EXPECT_TRUE(manager->isAnyPlaying("track c"));
        endTrack(playlist);
        playlist.update();
    }
    EXPECT_EQ(countWarnings("lost track"), 1);
}

TEST_F(PlaylistTest, StopFadesTheTrackAndDoesNotAdvance) {
    start(false);
    audio::Playlist playlist({"track a", "track b"}, true);
    playlist.play(0.5f);
    manager->update(0.5f);
    playlist.stop(0.5f);
    manager->update(0.25f);
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    manager->update(0.25f);
    playlist.update();
    EXPECT_FALSE(manager->isAnyPlaying("track a"));
    EXPECT_FALSE(manager->isAnyPlaying("track b"));
    EXPECT_EQ(playlist.getCurrentTrack(), "track a");
}

TEST_F(PlaylistTest, ShuffleIsAPermutationThatChangesTheOrder) {
    kit::Array<kit::String> tracks = {"1", "2", "3", "4", "5", "6", "7", "8"};
    int changed = 0;
    for (unsigned int seed = 1; seed <= 5; ++seed) {
        kit::seedRandom(seed);
        audio::Playlist playlist(tracks, true);
        playlist.shuffle();
        kit::Array<kit::String> order = playlist.getTracks();
        changed += order != tracks ? 1 : 0;
        std::sort(order.begin(), order.end());
        EXPECT_EQ(order, tracks);
    }
    EXPECT_GE(changed, 4);
}

TEST_F(PlaylistTest, MultiPlaylistPlaysItsPlaylistsInTurnAndStopsAfterTheLast) {
    start(false);
    audio::MultiPlaylist multi;
    multi.addPlaylist(std::make_unique<audio::Playlist>(kit::Array<kit::String>{"track a"}, false));
    multi.addPlaylist(
        std::make_unique<audio::Playlist>(kit::Array<kit::String>{"track b", "track c"}, false));
    multi.play(0.0f);
    EXPECT_TRUE(multi.isPlaying());
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    manager->stopFirst("track a", 0.0f);
    multi.update();
    EXPECT_TRUE(manager->isAnyPlaying("track b"));
    manager->stopFirst("track b", 0.0f);
    multi.update();
    EXPECT_TRUE(manager->isAnyPlaying("track c"));
    manager->stopFirst("track c", 0.0f);
    multi.update();
    EXPECT_FALSE(multi.isPlaying());

    multi.play(0.0f);
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
}

TEST_F(PlaylistTest, OneRepeatingTrackNeverEnds) {
    start(false);
    audio::MultiPlaylist multi;
    multi.addPlaylist(std::make_unique<audio::Playlist>(kit::Array<kit::String>{"track a"}, true));
    multi.shuffle();
    multi.reset();
    multi.play(0.0f);
    for (int i = 0; i < 3; ++i) {
        manager->stopFirst("track a", 0.0f);
        multi.update();
        EXPECT_TRUE(manager->isAnyPlaying("track a"));
    }
    EXPECT_TRUE(multi.isPlaying());
}

TEST_F(PlaylistTest, DisableHoldsTheMusicAndEnableLetsItGoOn) {
    start(false);
    audio::MultiPlaylist multi;
    multi.addPlaylist(std::make_unique<audio::Playlist>(kit::Array<kit::String>{"track a", "track b"}, true));
    multi.play(0.0f);
    multi.disable();
    EXPECT_FALSE(multi.isEnabled());
    manager->update(10.0f);
    multi.update();
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    EXPECT_EQ(multi.getCurrentPlaylist()->getCurrentTrack(), "track a");
    multi.enable();
    multi.update();
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    EXPECT_TRUE(multi.isPlaying());
}

TEST_F(PlaylistTest, PlayWhileDisabledStartsOnEnable) {
    start(false);
    audio::MultiPlaylist multi;
    multi.addPlaylist(std::make_unique<audio::Playlist>(kit::Array<kit::String>{"track b"}, true));
    multi.disable();
    multi.play(0.0f);
    EXPECT_TRUE(multi.isPlaying());
    EXPECT_FALSE(manager->isAnyPlaying("track b"));
    multi.enable();
    EXPECT_TRUE(manager->isAnyPlaying("track b"));
}

TEST_F(PlaylistTest, ResetAndDeletionStopTheMusic) {
    start(false);
    auto* multi = new audio::MultiPlaylist;
    multi->addPlaylist(
        std::make_unique<audio::Playlist>(kit::Array<kit::String>{"track a", "track b"}, true));
    multi->play(0.0f);
    manager->stopFirst("track a", 0.0f);
    multi->update();
    multi->reset();
    EXPECT_FALSE(multi->isPlaying());
    EXPECT_FALSE(manager->isAnyPlaying("track b"));
    EXPECT_EQ(multi->getCurrentPlaylist()->getCurrentTrack(), "track a");
    multi->play(0.0f);
    delete multi;
    EXPECT_FALSE(manager->isAnyPlaying("track a"));
}
