#pragma once

#include "kit/Exception.h"

namespace kit {

// An enumeration asked for a value or name that was never registered.
class EnumerationValueNotExistsException : public Exception {
public:
    EnumerationValueNotExistsException(const String& typeName, const String& value, const String& source = "",
                                       int line = 0);

    const String& getTypeName() const { return typeName; }
    const String& getValue() const { return value; }
    const String& getSource() const { return source; }
    int getLine() const { return line; }

private:
    String typeName;
    String value;
    String source;
    int line;
};

}  // namespace kit
