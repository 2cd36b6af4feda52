#pragma once

namespace ventrel::system {

// An on/off switch.
struct BoolSetting {
    bool enabled = true;
    bool value = true;

    void change() { value = !value; }
};

}  // namespace ventrel::system
