#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// A message with one button that closes it (answer 0).
class Ok : public Base {
public:
    Ok();
};

}  // namespace Menu::Dialog
