#include "Graph.h"

#include <kit/Format.h>
#include <kit/Log.h>

#include <bit>
#include <deque>
#include <unordered_map>

#include "serial/Factory.h"

namespace serial::detail {

namespace {

const char* const LogTag = "serial";
constexpr int MaxWarnings = 20;

class Capture {
public:
    bool run(Serializable* root, Document& document, kit::String& error) {
        reference(root);
        for (size_t i = 0; i < order.size(); ++i) {
            Record record{order[i]->_serialName(), {}};
            if (!Factory::isRegistered(record.className)) {
                error = "class '" + record.className + "' is not registered";
                return false;
            }
            for (const Variable& variable : order[i]->_serialVars()) {
                record.fields.push_back({variable.getName(), valueOf(variable.getPointer())});
            }
            document.records.push_back(std::move(record));
        }
        document.root = 0;
        return true;
    }

private:
    // Objects are numbered in the order they are first reached, so each is stored once.
    uint32_t reference(Serializable* object) {
        if (object == nullptr) {
            return 0;
        }
        auto [it, added] = ids.emplace(object, static_cast<uint32_t>(order.size() + 1));
        if (added) {
            order.push_back(object);
        }
        return it->second;
    }

    Value valueOf(const VPtr& pointer) {
        Value value;
        value.type = pointer.getType();
        switch (value.type) {
            case VPtr::Type::Int:
                value.number = static_cast<uint32_t>(*pointer.get<int>());
                break;
            case VPtr::Type::Uint:
                value.number = *pointer.get<unsigned int>();
                break;
            case VPtr::Type::Float:
                value.number = std::bit_cast<uint32_t>(*pointer.get<float>());
                break;
            case VPtr::Type::Bool:
                value.number = *pointer.get<bool>() ? 1 : 0;
                break;
            case VPtr::Type::String:
                value.text = *pointer.get<kit::String>();
                break;
            case VPtr::Type::Vector2: {
                const quadrix::Vector2& vector = *pointer.get<quadrix::Vector2>();
                value.floats[0] = vector.x;
                value.floats[1] = vector.y;
                break;
            }
            case VPtr::Type::Rectangle: {
                const quadrix::Rectangle& rectangle = *pointer.get<quadrix::Rectangle>();
                value.floats[0] = rectangle.x;
                value.floats[1] = rectangle.y;
                value.floats[2] = rectangle.w;
                value.floats[3] = rectangle.h;
                break;
            }
            case VPtr::Type::Enumeration:
                value.text = pointer.getEnumerationNames().front();
                break;
            case VPtr::Type::IntArray:
                for (int number : *pointer.get<kit::Array<int>>()) {
                    value.numbers.push_back(static_cast<uint32_t>(number));
                }
                break;
            case VPtr::Type::StringArray:
                value.texts = *pointer.get<kit::Array<kit::String>>();
                break;
            case VPtr::Type::EnumerationArray:
                value.texts = pointer.getEnumerationNames();
                break;
            case VPtr::Type::Object:
                value.number = reference(pointer.getObjects().front());
                break;
            case VPtr::Type::ObjectArray:
                for (Serializable* object : pointer.getObjects()) {
                    value.numbers.push_back(reference(object));
                }
                break;
        }
        return value;
    }

    std::unordered_map<const Serializable*, uint32_t> ids;
    kit::Array<Serializable*> order;
};

// Builds in two steps: first every reachable object is created and every assignment planned, which
// is where an unknown class can still fail and everything created is simply deleted; then the
// assignments are carried out, which cannot fail.
class Builder {
public:
    Builder(const Document& document, kit::String& error)
        : document(document),
          error(error),
          objects(document.records.size(), nullptr),
          linked(document.records.size(), false),
          owned(document.records.size(), false),
          ownerTop(document.records.size()) {
        for (size_t i = 0; i < ownerTop.size(); ++i) {
            ownerTop[i] = static_cast<uint32_t>(i);
        }
    }

    Serializable* run() {
        if (!plan()) {
            for (Serializable* object : objects) {
                delete object;
            }
            return nullptr;
        }
        dropUnlinked();
        for (const Assignment& assignment : assignments) {
            apply(assignment);
        }
        return objects[document.root];
    }

private:
    struct Assignment {
        VPtr pointer;
        const Value* value;
        kit::String variable;
        kit::String className;
        kit::Array<Serializable*> targets;
    };

    bool plan() {
        if (!create(document.root)) {
            return false;
        }
        linked[document.root] = true;
        std::deque<uint32_t> queue{document.root};
        while (!queue.empty()) {
            uint32_t index = queue.front();
            queue.pop_front();
            if (!planObject(index, queue)) {
                return false;
            }
        }
        return true;
    }

    bool create(uint32_t index) {
        const kit::String& className = document.records[index].className;
        objects[index] = Factory::create(className);
        if (objects[index] == nullptr) {
            error = "unknown class '" + className + "'";
            return false;
        }
        return true;
    }

    static const Value* find(const Record& record, const kit::String& name) {
        for (const Field& field : record.fields) {
            if (field.name == name) {
                return &field.value;
            }
        }
        return nullptr;
    }

    bool planObject(uint32_t index, std::deque<uint32_t>& queue) {
        const Record& record = document.records[index];
        for (const Variable& variable : objects[index]->_serialVars()) {
            const Value* value = find(record, variable.getName());
            if (value == nullptr) {
                continue;
            }
            Assignment assignment{variable.getPointer(), value, variable.getName(), record.className, {}};
            if (value->type != assignment.pointer.getType()) {
                warn(assignment, "is stored as another type; it keeps its value");
                continue;
            }
            if (assignment.pointer.isObjectType() && !planTargets(index, assignment, queue)) {
                return false;
            }
            assignments.push_back(std::move(assignment));
        }
        return true;
    }

    bool planTargets(uint32_t holder, Assignment& assignment, std::deque<uint32_t>& queue) {
        const Value& value = *assignment.value;
        bool scalar = value.type == VPtr::Type::Object;
        for (uint32_t reference : scalar ? kit::Array<uint32_t>{value.number} : value.numbers) {
            if (reference == 0) {
                assignment.targets.push_back(nullptr);
                continue;
            }
            uint32_t target = reference - 1;
            if (objects[target] == nullptr && !create(target)) {
                return false;
            }
            if (!accept(holder, target, assignment)) {
                if (scalar) {
                    assignment.targets.push_back(nullptr);
                }
                continue;
            }
            assignment.targets.push_back(objects[target]);
            if (!linked[target]) {
                linked[target] = true;
                queue.push_back(target);
            }
        }
        return true;
    }

    bool accept(uint32_t holder, uint32_t target, const Assignment& assignment) {
        if (!assignment.pointer.accepts(objects[target])) {
            warn(assignment, "cannot point to a " + document.records[target].className + "; it is left out");
            return false;
        }
        if (!assignment.pointer.isOwned()) {
            return true;
        }
        // Owned pointers must form trees below the root: one owner per object and no cycles.
        if (target == document.root || owned[target] || top(holder) == target) {
            warn(assignment,
                 "would be a second owner of an object or close an ownership cycle; it is left out");
            return false;
        }
        owned[target] = true;
        ownerTop[target] = holder;
        return true;
    }

    // The topmost owner above an object, with path compression.
    uint32_t top(uint32_t index) {
        uint32_t result = index;
        while (ownerTop[result] != result) {
            result = ownerTop[result];
        }
        while (ownerTop[index] != result) {
            uint32_t next = ownerTop[index];
            ownerTop[index] = result;
            index = next;
        }
        return result;
    }

    // Objects created only to find out that no pointer could take them.
    void dropUnlinked() {
        for (size_t i = 0; i < objects.size(); ++i) {
            if (!linked[i]) {
                delete objects[i];
                objects[i] = nullptr;
            }
        }
    }

    void apply(const Assignment& assignment) {
        const VPtr& pointer = assignment.pointer;
        const Value& value = *assignment.value;
        switch (value.type) {
            case VPtr::Type::Int:
                *pointer.get<int>() = static_cast<int>(value.number);
                break;
            case VPtr::Type::Uint:
                *pointer.get<unsigned int>() = value.number;
                break;
            case VPtr::Type::Float:
                *pointer.get<float>() = std::bit_cast<float>(value.number);
                break;
            case VPtr::Type::Bool:
                *pointer.get<bool>() = value.number != 0;
                break;
            case VPtr::Type::String:
                *pointer.get<kit::String>() = value.text;
                break;
            case VPtr::Type::Vector2:
                *pointer.get<quadrix::Vector2>() = quadrix::Vector2(value.floats[0], value.floats[1]);
                break;
            case VPtr::Type::Rectangle:
                *pointer.get<quadrix::Rectangle>() =
                    quadrix::Rectangle(value.floats[0], value.floats[1], value.floats[2], value.floats[3]);
                break;
            case VPtr::Type::IntArray:
                applyInts(*pointer.get<kit::Array<int>>(), value.numbers);
                break;
            case VPtr::Type::StringArray:
                *pointer.get<kit::Array<kit::String>>() = value.texts;
                break;
            case VPtr::Type::Enumeration:
                applyEnumerations(assignment, {value.text});
                break;
            case VPtr::Type::EnumerationArray:
                applyEnumerations(assignment, value.texts);
                break;
            case VPtr::Type::Object:
            case VPtr::Type::ObjectArray:
                pointer.setObjects(assignment.targets);
                break;
        }
    }

    static void applyInts(kit::Array<int>& numbers, const kit::Array<uint32_t>& stored) {
        numbers.clear();
        for (uint32_t number : stored) {
            numbers.push_back(static_cast<int>(number));
        }
    }

    void applyEnumerations(const Assignment& assignment, const kit::Array<kit::String>& names) {
        for (const kit::String& name : assignment.pointer.setEnumerationNames(names)) {
            warn(assignment, "holds '" + name + "', which " + assignment.pointer.getEnumerationTypeName() +
                                 " no longer has; it is left at its default");
        }
    }

    // A damaged file could otherwise fill the log with one line per stored element.
    void warn(const Assignment& assignment, const kit::String& problem) {
        ++warnings;
        if (warnings <= MaxWarnings) {
            kit::Log::warn(LogTag, kit::format("Variable '%s' of %s %s.", assignment.variable.c_str(),
                                               assignment.className.c_str(), problem.c_str()));
        }
        if (warnings == MaxWarnings) {
            kit::Log::warn(LogTag, "Further warnings of this read are left out.");
        }
    }

    const Document& document;
    kit::String& error;
    kit::Array<Serializable*> objects;
    kit::Array<bool> linked;
    kit::Array<bool> owned;
    kit::Array<uint32_t> ownerTop;
    kit::Array<Assignment> assignments;
    int warnings = 0;
};

}  // namespace

bool capture(Serializable* root, Document& document, kit::String& error) {
    return Capture().run(root, document, error);
}

Serializable* build(const Document& document, kit::String& error) {
    return Builder(document, error).run();
}

}  // namespace serial::detail
