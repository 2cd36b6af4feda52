#pragma once

#include <memory>

namespace kit {

// A global pointer that borrows what an owner holds: the engine's managers and the game's objects
// are reached through globals and owned in one place, which deletes them in a fixed order.

// Hands the new object to its owner and to its global, and answers it.
template <class T, class Global>
T* ownGlobal(std::unique_ptr<T>& owner, Global*& global, std::unique_ptr<T> object) {
    owner = std::move(object);
    global = owner.get();
    return owner.get();
}

// Deletes the object, then clears its global. The global still reaches the object while it is being
// deleted, as destructors that look it up expect; after, a late caller finds nothing rather than freed
// memory.
template <class T, class Global>
void releaseGlobal(std::unique_ptr<T>& owner, Global*& global) {
    owner.reset();
    global = nullptr;
}

}  // namespace kit
