#include "TestClasses.h"

#include <algorithm>

namespace test {

const Colour Colour::Red("Red", 0);
const Colour Colour::Green("Green", 1);
const Colour Colour::Blue("Blue", 2);
const OldColour OldColour::Red("Red", 0);
const OldColour OldColour::Purple("Purple", 1);

namespace {

const bool Registered =
    serial::Factory::add<Payload>("test::Payload") && serial::Factory::add<Node>("test::Node") &&
    serial::Factory::add<Tree>("test::Tree") && serial::Factory::add<Sample>("test::Sample") &&
    serial::Factory::add<EvolvingV2>("test::Evolving");

}  // namespace

kit::Array<serial::Variable> Payload::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(serial::Variable("value", serial::VPtr(&value)));
    return vars;
}

std::set<Payload*>& Payload::live() {
    static std::set<Payload*> all;
    return all;
}

std::set<Node*>& Node::live() {
    static std::set<Node*> all;
    return all;
}

Node::~Node() {
    live().erase(this);
    for (Node* child : children) {
        delete child;
    }
    delete payload;
}

kit::Array<serial::Variable> Node::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(serial::Variable("tag", serial::VPtr(&tag)));
    vars.push_back(serial::Variable("partner", serial::VPtr(&partner)));
    vars.push_back(serial::Variable("children", serial::VPtr(&children, serial::VPtr::Owned)));
    vars.push_back(serial::Variable("friends", serial::VPtr(&friends)));
    vars.push_back(serial::Variable("payload", serial::VPtr(&payload, serial::VPtr::Owned)));
    return vars;
}

std::set<Tree*>& Tree::live() {
    static std::set<Tree*> all;
    return all;
}

kit::Array<serial::Variable> Tree::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(serial::Variable("tag", serial::VPtr(&tag)));
    vars.push_back(serial::Variable("branches", serial::VPtr(&branches)));
    vars.push_back(serial::Variable("leaf", serial::VPtr(&leaf)));
    vars.push_back(serial::Variable("friend", serial::VPtr(&friendTree)));
    return vars;
}

Sample::~Sample() {
    delete child;
    for (Sample* sample : children) {
        delete sample;
    }
}

kit::Array<serial::Variable> Sample::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(serial::Variable("number", serial::VPtr(&number)));
    vars.push_back(serial::Variable("count", serial::VPtr(&count)));
    vars.push_back(serial::Variable("ratio", serial::VPtr(&ratio)));
    vars.push_back(serial::Variable("flag", serial::VPtr(&flag)));
    vars.push_back(serial::Variable("text", serial::VPtr(&text)));
    vars.push_back(serial::Variable("scale", serial::VPtr(&scale)));
    vars.push_back(serial::Variable("rect", serial::VPtr(&rect)));
    vars.push_back(serial::Variable("colour", serial::VPtr(&colour)));
    vars.push_back(serial::Variable("child", serial::VPtr(&child, serial::VPtr::Owned)));
    vars.push_back(serial::Variable("numbers", serial::VPtr(&numbers)));
    vars.push_back(serial::Variable("texts", serial::VPtr(&texts)));
    vars.push_back(serial::Variable("colours", serial::VPtr(&colours)));
    vars.push_back(serial::Variable("children", serial::VPtr(&children, serial::VPtr::Owned)));
    return vars;
}

kit::Array<serial::Variable> EvolvingV1::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(serial::Variable("kept", serial::VPtr(&kept)));
    vars.push_back(serial::Variable("dropped", serial::VPtr(&dropped)));
    vars.push_back(serial::Variable("retyped", serial::VPtr(&retyped)));
    vars.push_back(serial::Variable("colour", serial::VPtr(&colour)));
    vars.push_back(serial::Variable("tones", serial::VPtr(&tones)));
    return vars;
}

kit::Array<serial::Variable> EvolvingV2::_serialVars() {
    auto vars = Serializable::_serialVars();
    vars.push_back(serial::Variable("kept", serial::VPtr(&kept)));
    vars.push_back(serial::Variable("added", serial::VPtr(&added)));
    vars.push_back(serial::Variable("retyped", serial::VPtr(&retyped)));
    vars.push_back(serial::Variable("colour", serial::VPtr(&colour)));
    vars.push_back(serial::Variable("tones", serial::VPtr(&tones)));
    return vars;
}

namespace {

// A live node that no live node lists as a child: deleting it cannot delete anything twice.
Node* findUnowned() {
    for (Node* candidate : Node::live()) {
        bool owned = false;
        for (Node* node : Node::live()) {
            owned = owned || std::find(node->children.begin(), node->children.end(), candidate) !=
                                 node->children.end();
        }
        if (!owned) {
            return candidate;
        }
    }
    return nullptr;
}

}  // namespace

void sweep() {
    while (Node* node = findUnowned()) {
        delete node;
    }
    while (!Payload::live().empty()) {
        delete *Payload::live().begin();
    }
}

}  // namespace test
