#pragma once

#include <memory>

#include "kit/Types.h"

namespace audio {

class Playlist;

// Playlists played one after another (one track at a time); it owns them. Disabling holds the music
// where it is without forgetting that it plays, enabling lets it go on.
class MultiPlaylist {
public:
    MultiPlaylist();
    ~MultiPlaylist();
    MultiPlaylist(const MultiPlaylist&) = delete;
    MultiPlaylist& operator=(const MultiPlaylist&) = delete;

    void addPlaylist(std::unique_ptr<Playlist> playlist);

    // Random order of the playlists and of the tracks in each.
    void shuffle();
    // Back to the first track of the first playlist, stopping what plays.
    void reset();
    void play(float fadeTime);
    void stop(float fadeTime);
    void enable();
    void disable();

    bool isPlaying() const { return playing; }
    bool isEnabled() const { return enabled; }
    Playlist* getCurrentPlaylist() const;

    // Moves through the tracks, and on to the next playlist when one ends; after the last it stops.
    void update();

private:
    kit::Array<std::unique_ptr<Playlist>> playlists;
    int current = 0;
    bool playing = false;
    bool enabled = true;
};

}  // namespace audio
