#include "gui/ButtonBase.h"

#include "gui/Gui.h"

namespace gui {

ButtonBase::Look ButtonBase::getLook() const {
    if (!isDerivedEnabled()) {
        return Look::Disabled;
    }
    if (isPushed() && isHovered()) {
        return Look::Pushed;
    }
    if (isHovered() && isHoverEffectEnabled()) {
        return Look::Hover;
    }
    return Look::Normal;
}

}  // namespace gui
