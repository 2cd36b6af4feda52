#include "audio/Playlist.h"

#include <algorithm>

#include "audio/Audio.h"
#include "audio/Manager.h"
#include "kit/Random.h"

namespace audio {

Playlist::Playlist(const kit::Array<kit::String>& tracks, bool repeat) : tracks(tracks), repeat(repeat) {}

Playlist::~Playlist() {
    stop(0.0f);
}

void Playlist::addTrack(const kit::String& name) {
    tracks.push_back(name);
}

void Playlist::shuffle() {
    // Fisher-Yates through the shared generator, so that a seeded run repeats its order.
    for (int i = static_cast<int>(tracks.size()) - 1; i > 0; --i) {
        std::swap(tracks[i], tracks[kit::random(0, i + 1)]);
    }
}

void Playlist::reset() {
    stop(0.0f);
    current = 0;
    finished = false;
}

void Playlist::play(float fadeTime) {
    if (playing || tracks.empty()) {
        return;
    }
    if (finished) {
        current = 0;
        finished = false;
    }
    playing = true;
    startCurrent(fadeTime);
}

void Playlist::stop(float fadeTime) {
    playing = false;
    if (handle != 0 && manager) {
        manager->stop(handle, fadeTime);
    }
    handle = 0;
}

void Playlist::pause() {
    if (handle != 0 && manager) {
        manager->pause(handle);
    }
}

void Playlist::resume() {
    if (handle != 0 && manager) {
        manager->resume(handle);
    }
}

kit::String Playlist::getCurrentTrack() const {
    return tracks.empty() ? "" : tracks[current];
}

void Playlist::update() {
    if (!playing || (manager && manager->isPlaying(handle))) {
        return;
    }
    advance();
}

void Playlist::startCurrent(float fadeTime) {
    // A track that cannot play (missing, no device) counts as ended; the next update moves on.
    handle = manager ? manager->play(tracks[current], fadeTime, false, 1.0f) : 0;
}

void Playlist::advance() {
    if (current + 1 < static_cast<int>(tracks.size())) {
        ++current;
    } else if (repeat) {
        current = 0;
    } else {
        playing = false;
        finished = true;
        handle = 0;
        return;
    }
    startCurrent(0.0f);
}

}  // namespace audio
