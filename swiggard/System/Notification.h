#pragma once

#include <kit/Types.h>

namespace System {

// A message for the notification overlay: what to show and what to play.
struct Notification {
    kit::String textKey;
    kit::String sound;

    bool operator==(const Notification& other) const = default;
};

}  // namespace System
