#include "host/ControllerDelegate.h"
#include "host/KeyboardDelegate.h"
#include "host/MouseDelegate.h"
#include "host/RenderSystem.h"
#include "host/SystemDelegate.h"
#include "host/TouchDelegate.h"
#include "host/UpdateDelegate.h"

namespace host {

void UpdateDelegate::onPresentFrame() {
    if (rendersys != nullptr) {
        rendersys->presentFrame();
    }
}

bool SystemDelegate::onQuit(bool) {
    return true;
}
void SystemDelegate::onWindowFocusChanged(bool) {}
void SystemDelegate::onWindowSizeChanged(int, int, bool) {}
void SystemDelegate::onInputModeChanged(Window::InputMode) {}
void SystemDelegate::onVirtualKeyboardChanged(bool, float) {}
void SystemDelegate::onLowMemoryWarning() {}

void KeyboardDelegate::onKeyDown(Key) {}
void KeyboardDelegate::onKeyUp(Key) {}
void KeyboardDelegate::onChar(unsigned int) {}

void MouseDelegate::onMouseDown(Key) {}
void MouseDelegate::onMouseUp(Key) {}
void MouseDelegate::onMouseCancel(Key) {}
void MouseDelegate::onMouseMove() {}
void MouseDelegate::onMouseScroll(float, float) {}

void TouchDelegate::onTouch(const kit::Array<quadrix::Vector2>&) {}

void ControllerDelegate::onButtonDown(Button) {}
void ControllerDelegate::onButtonUp(Button) {}

}  // namespace host
