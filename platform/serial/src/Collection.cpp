#include "serial/Collection.h"

#include "serial/Factory.h"

namespace serial {

namespace {

const bool Registered = Factory::add<Collection>(Collection::ClassName);

}  // namespace

Collection::~Collection() {
    for (Serializable* item : items) {
        delete item;
    }
}

kit::Array<Serializable*> Collection::release() {
    return std::exchange(items, {});
}

kit::Array<Variable> Collection::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(Variable("items", VPtr(&items, VPtr::Owned)));
    return vars;
}

}  // namespace serial
