#include "serial/VPtr.h"

#include <algorithm>

#include "serial/Serializable.h"

namespace serial {

kit::String VPtr::getEnumerationTypeName() const {
    if (type == Type::Enumeration) {
        return static_cast<const kit::Enumeration*>(address)->getTypeName();
    }
    return type == Type::EnumerationArray ? enumerations->typeName() : "";
}

kit::Array<kit::String> VPtr::getEnumerationNames() const {
    if (type == Type::Enumeration) {
        return {static_cast<const kit::Enumeration*>(address)->getName()};
    }
    kit::Array<kit::String> names;
    if (type == Type::EnumerationArray) {
        for (size_t i = 0; i < enumerations->size(address); ++i) {
            names.push_back(enumerations->at(address, i).getName());
        }
    }
    return names;
}

kit::Array<kit::String> VPtr::setEnumerationNames(const kit::Array<kit::String>& names) const {
    kit::String typeName = getEnumerationTypeName();
    kit::Array<kit::String> unknown;
    if (type == Type::EnumerationArray) {
        enumerations->clear(address);
    }
    for (const kit::String& name : names) {
        // An empty name is a value that was never set: there is nothing to restore or report.
        if (name.empty()) {
            continue;
        }
        if (!kit::Enumeration::hasName(typeName, name)) {
            unknown.push_back(name);
            continue;
        }
        kit::Enumeration& target = type == Type::Enumeration ? *static_cast<kit::Enumeration*>(address)
                                                             : enumerations->append(address);
        target.assignName(name);
    }
    return unknown;
}

kit::Array<Serializable*> VPtr::getObjects() const {
    kit::Array<Serializable*> result;
    if (objects != nullptr) {
        for (size_t i = 0; i < objects->size(address); ++i) {
            result.push_back(objects->at(address, i));
        }
    }
    return result;
}

bool VPtr::accepts(const Serializable* object) const {
    return objects != nullptr && (object == nullptr || objects->accepts(object));
}

void VPtr::setObjects(const kit::Array<Serializable*>& targets) const {
    if (objects == nullptr || (type == Type::Object && targets.size() != 1)) {
        return;
    }
    kit::Array<Serializable*> previous = isOwned() ? getObjects() : kit::Array<Serializable*>{};
    objects->assign(address, targets);
    std::sort(previous.begin(), previous.end());
    previous.erase(std::unique(previous.begin(), previous.end()), previous.end());
    for (Serializable* old : previous) {
        if (std::find(targets.begin(), targets.end(), old) == targets.end()) {
            delete old;
        }
    }
}

}  // namespace serial
