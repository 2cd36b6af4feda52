#pragma once

namespace host {

// Game-controller buttons (SDL game-controller layout, Xbox naming), all below 256. The four
// directions follow the numeric keypad: down 32, left 34, right 36, up 38.
enum class Button : unsigned int {
    None = 0,
    Start = 1,
    Back = 2,
    Guide = 3,
    A = 4,  // confirm
    B = 5,  // cancel
    X = 6,
    Y = 7,
    L1 = 8,  // left shoulder
    R1 = 9,  // right shoulder
    LeftStick = 12,
    RightStick = 13,
    DPadDown = 32,
    DPadLeft = 34,
    DPadRight = 36,
    DPadUp = 38,
    Confirm = A,
    Cancel = B,
};

}  // namespace host
