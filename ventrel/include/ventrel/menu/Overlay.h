#pragma once

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// A modal full-screen layer (loading, notification, quit) shown and hidden by name through the
// scene manager; hidden after set-up. Subclasses bind their buttons with bind().
class Overlay : public Base {
public:
    explicit Overlay(const kit::String& name);
};

}  // namespace ventrel::menu
