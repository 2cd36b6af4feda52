#pragma once

#include "kit/Types.h"

namespace audio {

// Sound names played one after another through `audio::manager`; with `repeat` the list starts over
// after its last track, otherwise it ends there.
class Playlist {
public:
    explicit Playlist(const kit::Array<kit::String>& tracks = {}, bool repeat = false);
    ~Playlist();
    Playlist(const Playlist&) = delete;
    Playlist& operator=(const Playlist&) = delete;

    void addTrack(const kit::String& name);
    const kit::Array<kit::String>& getTracks() const { return tracks; }
    void setRepeat(bool value) { repeat = value; }
    bool isRepeat() const { return repeat; }

    // Puts the tracks in a random order; the current position stays.
    void shuffle();
    // Back to the first track, stopping the current one at once.
    void reset();
    void play(float fadeTime);
    void stop(float fadeTime);
    // Holds the current track where it is, and lets it go on.
    void pause();
    void resume();

    bool isPlaying() const { return playing; }
    // True once a list without repeat has played its last track.
    bool isFinished() const { return finished; }
    // The track playing or next to play, "" when there are none.
    kit::String getCurrentTrack() const;

    // Moves on to the next track when the current one has ended.
    void update();

private:
    void startCurrent(float fadeTime);
    void advance();

    kit::Array<kit::String> tracks;
    bool repeat;
    int current = 0;
    int handle = 0;
    bool playing = false;
    bool finished = false;
};

}  // namespace audio
