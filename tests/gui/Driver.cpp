#include "Driver.h"

#include <algorithm>

#include "gui/Gui.h"

namespace guitest {

namespace {

kit::String entry(const kit::String& name, gui::Event event) {
    return name + "#" + std::to_string(static_cast<int>(event));
}

}  // namespace

ScreenDriver::ScreenDriver(gui::Dataset* screen) : screen(screen) {
    host::window->setUpdateDelegate(this);
    host::window->setKeyboardDelegate(this);
    host::window->setMouseDelegate(this);
    host::window->setTouchDelegate(this);
    host::window->setControllerDelegate(this);
}

ScreenDriver::~ScreenDriver() {
    host::window->clearDelegates();
}

bool ScreenDriver::onUpdate(float timeDelta) {
    host::rendersys->clear(host::Color::Black);
    gui::updateViewportPosition(gui::getViewport(), true);
    gui::updateCursorPosition();
    gui::processEvents();
    screen->update(timeDelta);
    screen->draw();
    return true;
}

void ScreenDriver::count(gui::BaseObject* object, gui::Event event) {
    object->registerEvent(event, new gui::FunctionCallbackEvent([this, event](gui::EventArgs* args) {
                              log.push_back(entry(args->getBaseObject()->getName(), event));
                          }));
}

int ScreenDriver::counted(const kit::String& name, gui::Event event) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry(name, event)));
}

}  // namespace guitest
