#pragma once

namespace fonts {

// Horizontal placement of text in its rectangle. The wrapped kinds break lines at the rectangle's
// width; Justified also stretches the spaces of every wrapped line but the last of a paragraph, and is
// replaced by Renderer::getJustifiedDefault when the text is measured or drawn.
enum class Horizontal { Left, Center, Right, LeftWrapped, CenterWrapped, RightWrapped, Justified };

}  // namespace fonts
