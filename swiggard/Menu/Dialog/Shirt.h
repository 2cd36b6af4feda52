#pragma once

#include "Menu/Dialog/Base.h"

namespace Menu::Dialog {

// The shirt offer: men's (0) and women's (2) open the shop, later (1) closes.
class Shirt : public Base {
public:
    Shirt();
};

}  // namespace Menu::Dialog
