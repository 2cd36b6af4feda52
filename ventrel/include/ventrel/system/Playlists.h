#pragma once

#include <audio/MultiPlaylist.h>
#include <kit/Types.h>

#include <memory>

namespace ventrel::system {

// The music by name: one playlist plays at a time, a scene asks for its own, and all of them hold
// while the window is in the background.
class Playlists {
public:
    // A second playlist of the same name replaces the first, with a warning.
    void add(const kit::String& name, std::unique_ptr<audio::MultiPlaylist> playlist);
    audio::MultiPlaylist* find(const kit::String& name) const;
    // Starts the named playlist afresh, shuffled, stopping the others; one already playing goes on.
    // An unknown name is logged and plays nothing.
    void tryPlay(const kit::String& name);
    void stop(float fadeTime);
    void enable();
    void disable();
    void update();
    void clear() { playlists.clear(); }

private:
    kit::Map<kit::String, std::unique_ptr<audio::MultiPlaylist>> playlists;
};

}  // namespace ventrel::system
