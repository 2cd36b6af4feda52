#include "System/PlaceholderScene.h"

namespace System {

PlaceholderScene::PlaceholderScene() : Base("scene/disclaimer", "title") {}

}  // namespace System
