#include "ventrel/menu/Overlay.h"

namespace ventrel::menu {

Overlay::Overlay(const kit::String& name) : Base(nullptr, name) {
    alwaysModal = true;
    visibleOnSetup = false;
}

}  // namespace ventrel::menu
