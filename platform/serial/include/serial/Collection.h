#pragma once

#include <kit/Types.h>

#include <utility>

#include "serial/Serializable.h"

namespace serial {

// A stored array of objects, for files that hold a list rather than one object (content catalogues).
// Registered with the factory as "serial::Collection"; it owns its items.
class Collection : public Serializable {
public:
    static constexpr const char* ClassName = "serial::Collection";

    Collection() = default;
    explicit Collection(kit::Array<Serializable*> items) : items(std::move(items)) {}
    Collection(const Collection&) = delete;
    Collection& operator=(const Collection&) = delete;
    ~Collection() override;

    const kit::Array<Serializable*>& getItems() const { return items; }
    // Hands the items to the caller, who then owns them; the collection is left empty.
    kit::Array<Serializable*> release();

    kit::String _serialName() const override { return ClassName; }
    kit::Array<Variable> _serialVars() override;

private:
    kit::Array<Serializable*> items;
};

}  // namespace serial
