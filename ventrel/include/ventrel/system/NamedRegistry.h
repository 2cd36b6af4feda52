#pragma once

#include <kit/DuplicateResourceException.h>
#include <kit/ResourceNotExistsException.h>
#include <kit/Types.h>

#include <algorithm>
#include <memory>

namespace ventrel::system {

// Owns objects that are known by their names, in the order they were registered. Registering a
// second object of a name and asking for an unknown name are programming errors, so both throw.
// `T` answers its name through getName().
template <class T>
class NamedRegistry {
public:
    using Items = kit::Array<std::unique_ptr<T>>;

    // `kind` and `container` name the registry in its errors: "overlay 'x' is registered in 'ventrel'".
    NamedRegistry(const char* kind, const char* container) : kind(kind), container(container) {}

    // Takes the object over and answers it; kit::DuplicateResourceException when the name is taken.
    T* add(std::unique_ptr<T> item) {
        const kit::String& name = item->getName();
        if (contains(name)) {
            throw kit::DuplicateResourceException(name, kind, container);
        }
        items.push_back(std::move(item));
        return items.back().get();
    }

    bool contains(const kit::String& name) const { return _find(name) != items.end(); }

    // Never null: kit::ResourceNotExistsException for an unknown name.
    T* find(const kit::String& name) const {
        auto found = _find(name);
        if (found == items.end()) {
            throw kit::ResourceNotExistsException(name, kind, container);
        }
        return found->get();
    }

    // The objects, oldest first; the registry keeps them.
    kit::Array<T*> view() const {
        kit::Array<T*> view;
        for (const auto& item : items) {
            view.push_back(item.get());
        }
        return view;
    }

    template <class Predicate>
    bool any(Predicate predicate) const {
        return std::any_of(items.begin(), items.end(),
                           [&](const auto& item) { return predicate(item.get()); });
    }

    std::size_t size() const { return items.size(); }
    bool empty() const { return items.empty(); }
    // Deletes the objects in the order they were registered. One being deleted is no longer found.
    void clear() {
        for (auto& item : items) {
            item.reset();
        }
        items.clear();
    }

    typename Items::const_iterator begin() const { return items.begin(); }
    typename Items::const_iterator end() const { return items.end(); }
    typename Items::const_reverse_iterator rbegin() const { return items.rbegin(); }
    typename Items::const_reverse_iterator rend() const { return items.rend(); }

private:
    const char* kind;
    const char* container;
    Items items;

    typename Items::const_iterator _find(const kit::String& name) const {
        return std::find_if(items.begin(), items.end(),
                            [&](const auto& item) { return item && item->getName() == name; });
    }
};

}  // namespace ventrel::system
