#include <ventrel/system/Playlists.h>

#include "AudioFixture.h"
#include "audio/MultiPlaylist.h"
#include "audio/Playlist.h"

using audio::manager;

namespace {

std::unique_ptr<audio::MultiPlaylist> playing(const kit::String& track) {
    auto multi = std::make_unique<audio::MultiPlaylist>();
    multi->addPlaylist(std::make_unique<audio::Playlist>(kit::Array<kit::String>{track}, true));
    return multi;
}

using PlaylistsTest = AudioFixture;

TEST_F(PlaylistsTest, OnePlaysAtATimeAndAllHoldWhileDisabled) {
    start(false);
    ventrel::system::Playlists playlists;
    playlists.add("title", playing("track a"));
    playlists.add("board", playing("track b"));
    audio::MultiPlaylist* title = playlists.find("title");
    audio::MultiPlaylist* board = playlists.find("board");
    ASSERT_TRUE(title && board);
    EXPECT_EQ(playlists.find("credits"), nullptr);

    playlists.tryPlay("title");
    EXPECT_TRUE(title->isPlaying());
    EXPECT_TRUE(manager->isAnyPlaying("track a"));
    playlists.tryPlay("board");
    EXPECT_FALSE(title->isPlaying());
    EXPECT_TRUE(board->isPlaying());
    EXPECT_TRUE(manager->isAnyPlaying("track b"));

    // Asked again, or for a name nobody registered, the music goes on.
    playlists.tryPlay("board");
    playlists.tryPlay("credits");
    playlists.update();
    EXPECT_TRUE(board->isPlaying());

    playlists.disable();
    EXPECT_FALSE(board->isEnabled());
    EXPECT_TRUE(board->isPlaying()) << "held, not forgotten";
    playlists.enable();
    EXPECT_TRUE(board->isEnabled());

    playlists.stop(0.0f);
    EXPECT_FALSE(board->isPlaying());
}

}  // namespace
