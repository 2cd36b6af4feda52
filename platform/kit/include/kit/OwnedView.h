#pragma once

#include <cstddef>
#include <iterator>
#include <memory>

#include "kit/Types.h"

namespace kit {

// The objects an array of unique pointers owns, seen as plain pointers without a copy. The view
// borrows the array and follows its changes; like the array's own iterators, its iterators do not
// survive an insertion or removal.
template <class T>
class OwnedView {
public:
    using Owned = Array<std::unique_ptr<T>>;

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T*;
        using difference_type = std::ptrdiff_t;
        using pointer = T* const*;
        using reference = T*;

        Iterator() = default;
        explicit Iterator(typename Owned::const_iterator at) : at(at) {}
        T* operator*() const { return at->get(); }
        Iterator& operator++() {
            ++at;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++at;
            return before;
        }
        bool operator==(const Iterator& other) const = default;

    private:
        typename Owned::const_iterator at;
    };

    explicit OwnedView(const Owned& owned) : owned(&owned) {}

    Iterator begin() const { return Iterator(owned->begin()); }
    Iterator end() const { return Iterator(owned->end()); }
    std::size_t size() const { return owned->size(); }
    bool empty() const { return owned->empty(); }
    T* operator[](std::size_t index) const { return (*owned)[index].get(); }
    T* front() const { return owned->front().get(); }
    T* back() const { return owned->back().get(); }
    // A copy of the pointers, for a caller that filters or keeps them.
    Array<T*> toArray() const { return Array<T*>(begin(), end()); }

private:
    const Owned* owned;
};

}  // namespace kit
