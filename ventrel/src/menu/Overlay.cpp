#include "ventrel/menu/Overlay.h"

namespace ventrel::menu {

Overlay::Overlay(const kit::String& name) : Base(nullptr, name) {
    alwaysModal = true;
    visibleOnSetup = false;
}

bool Overlay::_inputCallback(gui::Object* object) {
    return _dispatchCallback(callbacks, object);
}

}  // namespace ventrel::menu
