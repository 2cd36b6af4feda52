#pragma once

namespace Game {

// Fields in one lap of the board; 0, 10, 20 and 30 are the corners. Every rule and screen counts
// positions with this one number.
inline constexpr int BoardSize = 40;

}  // namespace Game
