#include "ventrel/menu/Transition.h"

namespace ventrel::menu {

Transition::Transition(system::Context* owner, const kit::String& name) : Base(owner, name) {}

}  // namespace ventrel::menu
