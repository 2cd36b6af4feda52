#pragma once

#include <kit/Types.h>

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// Creates, deletes and activates the player profile named by profileName (set by the subclass).
class Profiles : public Base {
public:
    Profiles(system::Context* owner, const kit::String& name);

protected:
    kit::String profileName;

    virtual void _addNewProfile();
    virtual void _deleteProfile();
    virtual void _selectProfile();

private:
    void _afterChange();
};

}  // namespace ventrel::menu
