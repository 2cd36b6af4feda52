#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// A question: yes answers 0, no answers 1.
class YesNo : public Base {
public:
    YesNo();
};

}  // namespace Menu::Dialog
