#pragma once

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// A modal full-screen layer (loading, notification, quit) shown and hidden by name through the
// scene manager; hidden after set-up. Subclasses bind their buttons into `callbacks`.
class Overlay : public Base {
public:
    explicit Overlay(const kit::String& name);

protected:
    HandlerTable<Overlay> callbacks;

    bool _inputCallback(gui::Object* object) override;
};

}  // namespace ventrel::menu
