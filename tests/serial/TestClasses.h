#pragma once

#include <kit/EnumerationType.h>
#include <serial/Factory.h>
#include <serial/Serializable.h>

#include <memory>
#include <set>

// Classes the suites save and load. Nodes and payloads keep a list of the living ones, so that tests can
// check that a read leaves nothing behind.
namespace test {

class Colour : public kit::EnumerationType<Colour> {
public:
    static constexpr const char* TypeName = "SerialTestColour";
    using EnumerationType::EnumerationType;
    static const Colour Red, Green, Blue;
};

// An older version of the palette, with a name the current one no longer has.
class OldColour : public kit::EnumerationType<OldColour> {
public:
    static constexpr const char* TypeName = "SerialTestOldColour";
    using EnumerationType::EnumerationType;
    static const OldColour Red, Purple;
};

class Payload : public serial::Serializable {
public:
    int value = -1;

    Payload() { live().insert(this); }
    Payload(const Payload&) = delete;
    ~Payload() override { live().erase(this); }
    static std::set<Payload*>& live();

    kit::String _serialName() const override { return "test::Payload"; }
    kit::Array<serial::Variable> _serialVars() override;
};

// children and payload are owned; partner and friends are not.
class Node : public serial::Serializable {
public:
    int tag = 0;
    Node* partner = nullptr;
    kit::Array<Node*> children;
    kit::Array<Node*> friends;
    Payload* payload = new Payload();

    Node() { live().insert(this); }
    Node(const Node&) = delete;
    ~Node() override;
    static std::set<Node*>& live();
    kit::String _serialName() const override { return "test::Node"; }
    kit::Array<serial::Variable> _serialVars() override;
};

// Holds its branches and its leaf through std::unique_ptr; its friend is borrowed.
class Tree : public serial::Serializable {
public:
    int tag = 0;
    kit::Array<std::unique_ptr<Tree>> branches;
    std::unique_ptr<Payload> leaf = std::make_unique<Payload>();
    Tree* friendTree = nullptr;

    Tree() { live().insert(this); }
    Tree(const Tree&) = delete;
    ~Tree() override { live().erase(this); }
    static std::set<Tree*>& live();
    kit::String _serialName() const override { return "test::Tree"; }
    kit::Array<serial::Variable> _serialVars() override;
};

// One variable of every supported type.
class Sample : public serial::Serializable {
public:
    int number = 0;
    unsigned int count = 0;
    float ratio = 0.0f;
    bool flag = false;
    kit::String text;
    quadrix::Vector2 scale;
    quadrix::Rectangle rect;
    Colour colour;
    Sample* child = nullptr;
    kit::Array<int> numbers;
    kit::Array<kit::String> texts;
    kit::Array<Colour> colours;
    kit::Array<Sample*> children;

    ~Sample() override;
    kit::String _serialName() const override { return "test::Sample"; }
    kit::Array<serial::Variable> _serialVars() override;
};

// Two versions of one saved class: files of the first are read by the second, which the factory
// creates under the shared name.
class EvolvingV1 : public serial::Serializable {
public:
    int kept = 0;
    kit::String dropped;
    kit::String retyped;
    OldColour colour;
    kit::Array<OldColour> tones;

    kit::String _serialName() const override { return "test::Evolving"; }
    kit::Array<serial::Variable> _serialVars() override;
};

class EvolvingV2 : public serial::Serializable {
public:
    int kept = 0;
    int added = 42;
    int retyped = 5;
    Colour colour = Colour::Blue;
    kit::Array<Colour> tones;

    kit::String _serialName() const override { return "test::Evolving"; }
    kit::Array<serial::Variable> _serialVars() override;
};

// A class written under a name no factory knows.
class Unregistered : public serial::Serializable {
public:
    kit::String _serialName() const override { return "test::Unregistered"; }
};

// Deletes every node and payload still alive (objects a damaged file left without an owner).
void sweep();

}  // namespace test
