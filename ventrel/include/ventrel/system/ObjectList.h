#pragma once

#include <kit/Types.h>
#include <serial/Serializable.h>

namespace ventrel::system {

// The root object of a content file that holds several objects. It does not own them: whoever
// reads the file takes them over.
class ObjectList : public serial::Serializable {
public:
    kit::Array<serial::Serializable*> objects;

    kit::String _serialName() const override { return "ventrel::system::ObjectList"; }
    kit::Array<serial::Variable> _serialVars() override;
};

}  // namespace ventrel::system
