#pragma once

namespace fonts {

// Horizontal placement of text in its rectangle. The wrapped kinds break lines at the rectangle's
// width; Justified also stretches the spaces of every wrapped line but the last of a paragraph, and is
// replaced by Renderer::getJustifiedDefault when the text is measured or drawn.
enum class Horizontal { Left, Center, Right, LeftWrapped, CenterWrapped, RightWrapped, Justified };

// Whether the text breaks into lines at its rectangle's width.
inline bool isWrapped(Horizontal horizontal) {
    return horizontal == Horizontal::LeftWrapped || horizontal == Horizontal::CenterWrapped ||
           horizontal == Horizontal::RightWrapped || horizontal == Horizontal::Justified;
}

}  // namespace fonts
