#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// A question that may come again: yes answers 0, later (the cancel button) 1, no 2.
class YesNoCancel : public Base {
public:
    YesNoCancel();
};

}  // namespace Menu::Dialog
