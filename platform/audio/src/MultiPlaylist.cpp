#include "audio/MultiPlaylist.h"

#include <utility>

#include "audio/Playlist.h"
#include "kit/Random.h"

namespace audio {

MultiPlaylist::MultiPlaylist() = default;

MultiPlaylist::~MultiPlaylist() = default;

void MultiPlaylist::addPlaylist(std::unique_ptr<Playlist> playlist) {
    if (playlist) {
        playlists.push_back(std::move(playlist));
    }
}

void MultiPlaylist::shuffle() {
    for (int i = static_cast<int>(playlists.size()) - 1; i > 0; --i) {
        std::swap(playlists[i], playlists[kit::random(0, i + 1)]);
    }
    for (const auto& playlist : playlists) {
        playlist->shuffle();
    }
}

void MultiPlaylist::reset() {
    for (const auto& playlist : playlists) {
        playlist->reset();
    }
    current = 0;
    playing = false;
}

void MultiPlaylist::play(float fadeTime) {
    if (playing || playlists.empty()) {
        return;
    }
    playing = true;
    if (!enabled) {
        return;
    }
    playlists[current]->play(fadeTime);
}

void MultiPlaylist::stop(float fadeTime) {
    if (!playing) {
        return;
    }
    playing = false;
    playlists[current]->stop(fadeTime);
}

void MultiPlaylist::enable() {
    if (enabled) {
        return;
    }
    enabled = true;
    if (!playing) {
        return;
    }
    Playlist* playlist = playlists[current].get();
    // Disabled before its first track started: start it now.
    if (playlist->isPlaying()) {
        playlist->resume();
    } else {
        playlist->play(0.0f);
    }
}

void MultiPlaylist::disable() {
    if (!enabled) {
        return;
    }
    enabled = false;
    if (playing) {
        playlists[current]->pause();
    }
}

Playlist* MultiPlaylist::getCurrentPlaylist() const {
    return playlists.empty() ? nullptr : playlists[current].get();
}

void MultiPlaylist::update() {
    if (!playing || !enabled) {
        return;
    }
    Playlist* playlist = playlists[current].get();
    playlist->update();
    if (!playlist->isFinished()) {
        return;
    }
    playlist->reset();
    if (current + 1 >= static_cast<int>(playlists.size())) {
        current = 0;
        playing = false;
        return;
    }
    ++current;
    playlists[current]->play(0.0f);
}

}  // namespace audio
