#pragma once

namespace fonts {

// Vertical placement of the block of lines in its rectangle.
enum class Vertical { Top, Center, Bottom };

}  // namespace fonts
