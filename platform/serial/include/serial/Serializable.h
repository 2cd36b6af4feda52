#pragma once

#include <kit/Types.h>

#include "serial/Variable.h"

namespace serial {

// Base of every saved class. A subclass names itself with the name its factory is registered under
// and lists its variables: it calls its base's _serialVars() and appends its own.
class Serializable {
public:
    virtual ~Serializable() = default;

    virtual kit::String _serialName() const = 0;
    virtual kit::Array<Variable> _serialVars() { return {}; }

    // A deep copy of everything reachable from this object, made through the factory; null (and a
    // logged reason) when some class of the graph is not registered.
    virtual Serializable* clone() const;
};

}  // namespace serial
