#include "ventrel/system/Playlists.h"

#include <kit/Format.h>
#include <kit/Log.h>

#include "ventrel/Ventrel.h"

namespace ventrel::system {

void Playlists::add(const kit::String& name, std::unique_ptr<audio::MultiPlaylist> playlist) {
    if (playlists.count(name) != 0) {
        kit::Log::warn(LogTag,
                       kit::format("Playlist '%s' already registered, deleting old playlist!", name.c_str()));
    }
    playlists[name] = std::move(playlist);
}

audio::MultiPlaylist* Playlists::find(const kit::String& name) const {
    auto found = playlists.find(name);
    return found == playlists.end() ? nullptr : found->second.get();
}

void Playlists::tryPlay(const kit::String& name) {
    audio::MultiPlaylist* playlist = find(name);
    if (!playlist) {
        kit::Log::warn(LogTag, kit::format("Playlist '%s' not registered!", name.c_str()));
        return;
    }
    if (playlist->isPlaying()) {
        return;
    }
    stop(0.0f);
    playlist->shuffle();
    playlist->reset();
    playlist->play(0.0f);
}

void Playlists::stop(float fadeTime) {
    for (auto& [name, playlist] : playlists) {
        playlist->stop(fadeTime);
    }
}

void Playlists::enable() {
    for (auto& [name, playlist] : playlists) {
        if (!playlist->isEnabled()) {
            playlist->enable();
        }
    }
}

void Playlists::disable() {
    for (auto& [name, playlist] : playlists) {
        if (playlist->isEnabled()) {
            playlist->disable();
        }
    }
}

void Playlists::update() {
    for (auto& [name, playlist] : playlists) {
        playlist->update();
    }
}

}  // namespace ventrel::system
