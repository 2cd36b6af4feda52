#include "kit/DuplicateResourceException.h"
#include "kit/EnumerationValueNotExistsException.h"
#include "kit/ResourceNotExistsException.h"

namespace kit {

ResourceNotExistsException::ResourceNotExistsException(const String& name, const String& kind,
                                                       const String& container)
    : Exception(kind + " '" + name + "' does not exist in '" + container + "'!"),
      name(name),
      kind(kind),
      container(container) {}

DuplicateResourceException::DuplicateResourceException(const String& name, const String& kind,
                                                       const String& container)
    : Exception(kind + " '" + name + "' is registered in '" + container + "' already!"), name(name) {}

static String enumerationMessage(const String& typeName, const String& value, const String& source,
                                 int line) {
    String message = "Enumeration '" + typeName + "' has no value '" + value + "'!";
    if (!source.empty()) {
        message += " (" + source + ":" + std::to_string(line) + ")";
    }
    return message;
}

EnumerationValueNotExistsException::EnumerationValueNotExistsException(const String& typeName,
                                                                       const String& value,
                                                                       const String& source, int line)
    : Exception(enumerationMessage(typeName, value, source, line)),
      typeName(typeName),
      value(value),
      source(source),
      line(line) {}

}  // namespace kit
