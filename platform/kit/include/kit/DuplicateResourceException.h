#pragma once

#include "kit/Exception.h"

namespace kit {

// A named resource registered a second time: "dialog 'dialog/ok' is registered in 'ventrel' already!".
class DuplicateResourceException : public Exception {
public:
    DuplicateResourceException(const String& name, const String& kind, const String& container);

    const String& getName() const { return name; }

private:
    String name;
};

}  // namespace kit
