#pragma once

#include <gui/Object.h>
#include <gui/ScrollArea.h>
#include <ventrel/menu/Base.h>
#include <ventrel/system/Context.h>
#include <functional>

namespace e2etest {

// Scrolled content may lie beyond its box; the scroll area itself is checked instead.
inline bool isScrolled(const gui::Object* object) {
    for (const gui::Object* parent = object->getParent(); parent; parent = parent->getParent()) {
        if (dynamic_cast<const gui::ScrollArea*>(parent)) {
            return true;
        }
    }
    return false;
}

// Every object a player can see under the object, the object included, parents before children.
inline void forEachShown(gui::Object* object, const std::function<void(gui::Object*)>& visit) {
    if (!object || !object->isDerivedVisible() || object->getDerivedAlpha() <= 0.0f) {
        return;
    }
    visit(object);
    for (gui::Object* child : object->getChildren()) {
        forEachShown(child, visit);
    }
}

// The screen's own objects and those of its visible menus.
inline void forEachShown(ventrel::system::Context* screen, const std::function<void(gui::Object*)>& visit) {
    forEachShown(screen->getRoot(), visit);
    for (ventrel::menu::Base* menu : screen->getAllMenus()) {
        if (menu->isVisible()) {
            forEachShown(menu->getRoot(), visit);
        }
    }
}

}  // namespace e2etest
