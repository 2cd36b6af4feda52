#pragma once

#include <functional>

#include "gui/EventCallback.h"

namespace gui {

// Calls any function object (tools and tests).
class FunctionCallbackEvent : public EventCallback {
public:
    using Function = std::function<void(EventArgs*)>;

    explicit FunctionCallbackEvent(Function function) : function(std::move(function)) {}

    void call(EventArgs* args) override { function(args); }

private:
    Function function;
};

}  // namespace gui
