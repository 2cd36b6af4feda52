#pragma once

#include "kit/Exception.h"

namespace kit {

// A named resource that was asked for but is not there: "Image 'gui.buttons/x' does not exist in 'gui'!".
class ResourceNotExistsException : public Exception {
public:
    ResourceNotExistsException(const String& name, const String& kind, const String& container);

    const String& getName() const { return name; }
    const String& getKind() const { return kind; }
    const String& getContainer() const { return container; }

private:
    String name;
    String kind;
    String container;
};

}  // namespace kit
