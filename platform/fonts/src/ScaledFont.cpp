#include "ScaledFont.h"

namespace fonts {

ScaledFont::ScaledFont(const kit::String& name, Font& base, float factor)
    : Font(name, base.getHeight(), base.getScale() * factor, base.getLineHeight(), base.getDescender()),
      base(base) {}

}  // namespace fonts
