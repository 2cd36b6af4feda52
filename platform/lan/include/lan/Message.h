#pragma once

#include <kit/Types.h>

#include <optional>

namespace lan {

// A phone's request, checked field by field on the server's thread, for the game's main thread.
struct Message {
    enum class Kind { Join, Player, Body, Leave, Roll, Answer };

    Kind kind = Kind::Join;
    kit::String token;  // the phone's; for Join the one it was just given
    int row = -1;       // Join: the row taken, -1 for a new one
    int id = 0;         // Roll and Answer: what the phone saw open
    int button = -1;    // Answer
    std::optional<kit::String> name;
    std::optional<kit::String> color;
    std::optional<int> character;
    std::optional<kit::String> gender;
    std::optional<kit::String> style;  // "Drinks", "Light", "Water", "Driver"
    std::optional<kit::String> stomach;
    std::optional<int> strength;
    std::optional<int> volume;
    std::optional<int> weight;
};

}  // namespace lan
