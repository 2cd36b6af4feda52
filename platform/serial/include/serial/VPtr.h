#pragma once

#include <kit/Enumeration.h>
#include <kit/Types.h>
#include <quadrix/Rectangle.h>
#include <quadrix/Vector2.h>

#include <concepts>
#include <cstddef>
#include <memory>
#include <type_traits>

namespace serial {

class Serializable;

// A typed pointer to one field of a saved object. Object pointers and arrays of them are reached
// through small typed accessors, so that a `Player**` is never treated as a `Serializable**`.
class VPtr {
public:
    enum class Type {
        Int,
        Uint,
        Float,
        Bool,
        String,
        Vector2,
        Rectangle,
        Enumeration,
        Object,
        IntArray,
        StringArray,
        EnumerationArray,
        ObjectArray,
    };

    // Whether the object holding an object pointer deletes its target. A reader replacing an owned
    // target deletes the one the constructor made; it also refuses a second owner of one object and
    // ownership cycles, so that a damaged file cannot lead to a double delete. An object that a read
    // reaches only through borrowed pointers belongs to no other object: the caller must free it.
    enum Ownership { Borrowed, Owned };

    VPtr(int* value) : type(Type::Int), address(value) {}
    VPtr(unsigned int* value) : type(Type::Uint), address(value) {}
    VPtr(float* value) : type(Type::Float), address(value) {}
    VPtr(bool* value) : type(Type::Bool), address(value) {}
    VPtr(kit::String* value) : type(Type::String), address(value) {}
    VPtr(quadrix::Vector2* value) : type(Type::Vector2), address(value) {}
    VPtr(quadrix::Rectangle* value) : type(Type::Rectangle), address(value) {}
    VPtr(kit::Array<int>* values) : type(Type::IntArray), address(values) {}
    VPtr(kit::Array<kit::String>* values) : type(Type::StringArray), address(values) {}

    template <std::derived_from<kit::Enumeration> E>
    VPtr(E* value) : type(Type::Enumeration), address(static_cast<kit::Enumeration*>(value)) {}

    template <std::derived_from<kit::Enumeration> E>
    VPtr(kit::Array<E>* values)
        : type(Type::EnumerationArray), address(values), enumerations(&EnumerationArrayAccess<E>::access) {}

    template <std::derived_from<Serializable> T>
    VPtr(T** object, Ownership ownership = Borrowed)
        : type(Type::Object), address(object), ownership(ownership), objects(&ObjectAccess<T>::access) {}

    template <std::derived_from<Serializable> T>
    VPtr(kit::Array<T*>* objects, Ownership ownership = Borrowed)
        : type(Type::ObjectArray),
          address(objects),
          ownership(ownership),
          objects(&ObjectArrayAccess<T>::access) {}

    // Owned through the type: the field holds its targets in std::unique_ptr.
    template <std::derived_from<Serializable> T>
    VPtr(std::unique_ptr<T>* object)
        : type(Type::Object), address(object), ownership(Owned), objects(&UniqueAccess<T>::access) {}

    template <std::derived_from<Serializable> T>
    VPtr(kit::Array<std::unique_ptr<T>>* objects)
        : type(Type::ObjectArray),
          address(objects),
          ownership(Owned),
          objects(&UniqueArrayAccess<T>::access) {}

    Type getType() const { return type; }
    bool isOwned() const { return ownership == Owned; }
    bool isObjectType() const { return type == Type::Object || type == Type::ObjectArray; }

    // The field of a plain type (int, unsigned int, float, bool, kit::String, quadrix::Vector2,
    // quadrix::Rectangle, kit::Array<int>, kit::Array<kit::String>, kit::Enumeration), or null when
    // the field has another type.
    template <class X>
    X* get() const {
        return type == typeOf<X>() ? static_cast<X*>(address) : nullptr;
    }

    // Enumerations, scalar or array, by name. Unknown names are left out (a scalar keeps its value)
    // and returned, so that the caller can report them.
    kit::String getEnumerationTypeName() const;
    kit::Array<kit::String> getEnumerationNames() const;
    kit::Array<kit::String> setEnumerationNames(const kit::Array<kit::String>& names) const;

    // Object pointers, scalar (one entry, possibly null) or array.
    kit::Array<Serializable*> getObjects() const;
    // Whether the object has the class the field points to.
    bool accepts(const Serializable* object) const;
    // Stores the objects (exactly one for a scalar pointer); an owned field deletes its previous
    // targets that are not stored again.
    void setObjects(const kit::Array<Serializable*>& targets) const;

private:
    struct EnumerationAccessors {
        size_t (*size)(const void* address);
        kit::Enumeration& (*at)(void* address, size_t index);
        void (*clear)(void* address);
        kit::Enumeration& (*append)(void* address);
        kit::String (*typeName)();
    };

    struct ObjectAccessors {
        size_t (*size)(const void* address);
        Serializable* (*at)(const void* address, size_t index);
        bool (*accepts)(const Serializable* object);
        void (*assign)(void* address, const kit::Array<Serializable*>& targets);
    };

    template <class E>
    struct EnumerationArrayAccess {
        static kit::Array<E>& array(void* address) { return *static_cast<kit::Array<E>*>(address); }
        static constexpr EnumerationAccessors access{
            [](const void* address) { return static_cast<const kit::Array<E>*>(address)->size(); },
            [](void* address, size_t index) -> kit::Enumeration& { return array(address)[index]; },
            [](void* address) { array(address).clear(); },
            [](void* address) -> kit::Enumeration& { return array(address).emplace_back(); },
            []() { return E().getTypeName(); },
        };
    };

    template <class T>
    static bool isA(const Serializable* object) {
        return dynamic_cast<const T*>(object) != nullptr;
    }

    template <class T>
    struct ObjectAccess {
        static constexpr ObjectAccessors access{
            [](const void*) -> size_t { return 1; },
            [](const void* address, size_t) -> Serializable* { return *static_cast<T* const*>(address); },
            &isA<T>,
            [](void* address, const kit::Array<Serializable*>& targets) {
                *static_cast<T**>(address) = dynamic_cast<T*>(targets.front());
            },
        };
    };

    template <class T>
    struct ObjectArrayAccess {
        static constexpr ObjectAccessors access{
            [](const void* address) { return static_cast<const kit::Array<T*>*>(address)->size(); },
            [](const void* address, size_t index) -> Serializable* {
                return (*static_cast<const kit::Array<T*>*>(address))[index];
            },
            &isA<T>,
            [](void* address, const kit::Array<Serializable*>& targets) {
                auto& array = *static_cast<kit::Array<T*>*>(address);
                array.clear();
                for (Serializable* target : targets) {
                    array.push_back(dynamic_cast<T*>(target));
                }
            },
        };
    };

    // A unique pointer's assignment lets its previous targets go without deleting them: setObjects
    // deletes those that are not stored again, as for a raw owned field.
    template <class T>
    struct UniqueAccess {
        static constexpr ObjectAccessors access{
            [](const void*) -> size_t { return 1; },
            [](const void* address, size_t) -> Serializable* {
                return static_cast<const std::unique_ptr<T>*>(address)->get();
            },
            &isA<T>,
            [](void* address, const kit::Array<Serializable*>& targets) {
                auto& pointer = *static_cast<std::unique_ptr<T>*>(address);
                static_cast<void>(pointer.release());
                pointer.reset(dynamic_cast<T*>(targets.front()));
            },
        };
    };

    template <class T>
    struct UniqueArrayAccess {
        static constexpr ObjectAccessors access{
            [](const void* address) {
                return static_cast<const kit::Array<std::unique_ptr<T>>*>(address)->size();
            },
            [](const void* address, size_t index) -> Serializable* {
                return (*static_cast<const kit::Array<std::unique_ptr<T>>*>(address))[index].get();
            },
            &isA<T>,
            [](void* address, const kit::Array<Serializable*>& targets) {
                auto& array = *static_cast<kit::Array<std::unique_ptr<T>>*>(address);
                for (auto& pointer : array) {
                    static_cast<void>(pointer.release());
                }
                array.clear();
                for (Serializable* target : targets) {
                    array.emplace_back(dynamic_cast<T*>(target));
                }
            },
        };
    };

    template <class X>
    static constexpr Type typeOf() {
        if constexpr (std::is_same_v<X, int>) {
            return Type::Int;
        } else if constexpr (std::is_same_v<X, unsigned int>) {
            return Type::Uint;
        } else if constexpr (std::is_same_v<X, float>) {
            return Type::Float;
        } else if constexpr (std::is_same_v<X, bool>) {
            return Type::Bool;
        } else if constexpr (std::is_same_v<X, kit::String>) {
            return Type::String;
        } else if constexpr (std::is_same_v<X, quadrix::Vector2>) {
            return Type::Vector2;
        } else if constexpr (std::is_same_v<X, quadrix::Rectangle>) {
            return Type::Rectangle;
        } else if constexpr (std::is_same_v<X, kit::Array<int>>) {
            return Type::IntArray;
        } else if constexpr (std::is_same_v<X, kit::Array<kit::String>>) {
            return Type::StringArray;
        } else {
            static_assert(std::is_same_v<X, kit::Enumeration>, "not a plain field type");
            return Type::Enumeration;
        }
    }

    Type type;
    void* address;
    Ownership ownership = Borrowed;
    const EnumerationAccessors* enumerations = nullptr;
    const ObjectAccessors* objects = nullptr;
};

}  // namespace serial
