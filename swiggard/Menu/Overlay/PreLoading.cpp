#include "Menu/Overlay/PreLoading.h"

namespace Menu::Overlay {

PreLoading::PreLoading() : Base(nullptr, "preloading") {}

}  // namespace Menu::Overlay
