#pragma once

#include "host/ControllerDelegate.h"
#include "host/KeyboardDelegate.h"
#include "host/MouseDelegate.h"
#include "host/TouchDelegate.h"

namespace host {

// One object for all four kinds of input; hand it to each of the window's four input setters.
class InputDelegate : public KeyboardDelegate,
                      public MouseDelegate,
                      public TouchDelegate,
                      public ControllerDelegate {
public:
    ~InputDelegate() override = default;
};

}  // namespace host
