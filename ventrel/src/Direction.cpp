#include "ventrel/Direction.h"

namespace ventrel {

const Direction Direction::None("None", 0);
const Direction Direction::DownLeft("DownLeft", 1);
const Direction Direction::Down("Down", 2);
const Direction Direction::DownRight("DownRight", 3);
const Direction Direction::Left("Left", 4);
const Direction Direction::Neutral("Neutral", 5);
const Direction Direction::Right("Right", 6);
const Direction Direction::UpLeft("UpLeft", 7);
const Direction Direction::Up("Up", 8);
const Direction Direction::UpRight("UpRight", 9);
const Direction Direction::Max("Max", 10);

bool Direction::isDiagonal() const {
    return *this == DownLeft || *this == DownRight || *this == UpLeft || *this == UpRight;
}

}  // namespace ventrel
