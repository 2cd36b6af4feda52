#include <gtest/gtest.h>

#include "Support.h"
#include "TestClasses.h"

using test::Colour;
using test::Node;
using test::OldColour;
using test::Payload;

namespace {

class Matching : public testing::TestWithParam<Form> {
protected:
    void TearDown() override {
        test::sweep();
        EXPECT_TRUE(Node::live().empty());
    }

    // A file of the older class version, read by the current one.
    std::unique_ptr<test::EvolvingV2> readOld(const OldColour& colour) {
        test::EvolvingV1 old;
        old.kept = 7;
        old.dropped = "gone";
        old.retyped = "five";
        old.colour = colour;
        old.tones = {OldColour::Red, OldColour::Purple, OldColour::Red};
        return roundTrip<test::EvolvingV2>(&old, GetParam());
    }
};

TEST_P(Matching, VariablesAreMatchedByName) {
    SerialLog log;
    auto current = readOld(OldColour::Red);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->kept, 7);
    EXPECT_EQ(current->added, 42);
    EXPECT_EQ(current->colour, Colour::Red);
    EXPECT_TRUE(log.mentions("'retyped'")) << "a variable stored as another type keeps its default";
    EXPECT_EQ(current->retyped, 5);
    EXPECT_FALSE(log.mentions("dropped")) << "unknown variables are skipped quietly";
}

TEST_P(Matching, RetiredEnumerationNamesKeepTheDefault) {
    SerialLog log;
    auto current = readOld(OldColour::Purple);
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->colour, Colour::Blue);
    EXPECT_EQ(current->tones, (kit::Array<Colour>{Colour::Red, Colour::Red}));
    EXPECT_TRUE(log.mentions("'Purple'"));
    EXPECT_TRUE(log.mentions("SerialTestColour"));
}

INSTANTIATE_TEST_SUITE_P(Forms, Matching, testing::Values(Form::Binary, Form::Xml),
                         [](const testing::TestParamInfo<Form>& testInfo) {
                             return formName(testInfo.param);
                         });

// Hand-written documents probe what a writer of this library never produces.
class Graphs : public testing::Test {
protected:
    void TearDown() override {
        test::sweep();
        EXPECT_TRUE(Node::live().empty());
        EXPECT_TRUE(Payload::live().empty());
    }

    static std::unique_ptr<Node> read(const std::string& objects) {
        serial::Serializable* root =
            serial::fromXml("<serial version=\"1\" root=\"1\">" + objects + "</serial>");
        auto* node = dynamic_cast<Node*>(root);
        EXPECT_EQ(node == nullptr, root == nullptr);
        return std::unique_ptr<Node>(node);
    }
};

TEST_F(Graphs, PointerToAnotherClassIsLeftOut) {
    SerialLog log;
    auto root = read(R"(<object class="test::Node" id="1"><ref name="partner" id="2"/>
                        <refs name="friends"><item id="2"/><item id="1"/></refs></object>
                        <object class="test::Payload" id="2"/>)");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->partner, nullptr);
    EXPECT_EQ(root->friends, kit::Array<Node*>{root.get()});
    EXPECT_TRUE(log.mentions("test::Payload"));
    root.reset();
    EXPECT_TRUE(Payload::live().empty()) << "the payload nobody could hold was deleted";
}

TEST_F(Graphs, AnObjectHasAtMostOneOwner) {
    SerialLog log;
    auto root =
        read(R"(<object class="test::Node" id="1"><refs name="children"><item id="2"/><item id="2"/></refs>
                        <ref name="payload" id="3"/></object>
                        <object class="test::Node" id="2"><ref name="payload" id="3"/>
                        <refs name="children"><item id="1"/></refs></object>
                        <object class="test::Payload" id="3"><int name="value">4</int></object>)");
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->children.size(), 1u);
    EXPECT_EQ(root->payload->value, 4);
    EXPECT_EQ(root->children[0]->payload, nullptr);
    EXPECT_TRUE(root->children[0]->children.empty()) << "the root has no owner";
    EXPECT_EQ(log.lines.size(), 3u);
}

// The same rules hold for fields that own through std::unique_ptr; a refused owner deletes nothing twice.
TEST_F(Graphs, UniquePointersTakeTheirTargetsOnceAndFreeWhatTheyReplace) {
    SerialLog log;
    serial::Serializable* read = serial::fromXml(R"(<serial version="1" root="1">
        <object class="test::Tree" id="1"><int name="tag">1</int>
            <refs name="branches"><item id="2"/><item id="2"/><item id="3"/></refs><ref name="leaf" id="4"/></object>
        <object class="test::Tree" id="2"><int name="tag">2</int><ref name="leaf" id="4"/>
            <refs name="branches"><item id="1"/></refs><ref name="friend" id="3"/></object>
        <object class="test::Tree" id="3"><int name="tag">3</int></object>
        <object class="test::Payload" id="4"><int name="value">4</int></object></serial>)");
    std::unique_ptr<test::Tree> root(dynamic_cast<test::Tree*>(read));
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->branches.size(), 2u);
    EXPECT_EQ(root->leaf->value, 4);
    test::Tree* second = root->branches[0].get();
    EXPECT_EQ(second->tag, 2);
    EXPECT_EQ(second->leaf, nullptr) << "the payload has an owner already";
    EXPECT_TRUE(second->branches.empty()) << "the root has no owner";
    EXPECT_EQ(second->friendTree, root->branches[1].get());
    EXPECT_NE(root->branches[1]->leaf, nullptr) << "a leaf the file does not name stays the default";
    EXPECT_EQ(log.lines.size(), 3u);
    // Three trees; the one payload of the file and the third tree's default. Those the constructors of
    // the first two made were replaced and freed.
    EXPECT_EQ(test::Tree::live().size(), 3u);
    EXPECT_EQ(Payload::live().size(), 2u);
    root.reset();
    EXPECT_TRUE(test::Tree::live().empty());
}

TEST_F(Graphs, WarningsOfOneReadAreLimited) {
    SerialLog log;
    std::string items;
    for (int i = 0; i < 1000; ++i) {
        items += "<item id=\"2\"/>";
    }
    auto root = read("<object class=\"test::Node\" id=\"1\"><refs name=\"children\">" + items +
                     "</refs></object><object class=\"test::Node\" id=\"2\"/>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->children.size(), 1u);
    EXPECT_EQ(log.lines.size(), 21u);
    EXPECT_TRUE(log.mentions("left out"));
}

TEST_F(Graphs, OwnershipCyclesAreBroken) {
    SerialLog log;
    auto root = read(R"(<object class="test::Node" id="1"><refs name="friends"><item id="2"/></refs></object>
                        <object class="test::Node" id="2"><refs name="children"><item id="3"/></refs></object>
                        <object class="test::Node" id="3"><refs name="children"><item id="2"/></refs></object>)");
    ASSERT_NE(root, nullptr);
    Node* second = root->friends.at(0);
    ASSERT_EQ(second->children.size(), 1u);
    EXPECT_TRUE(second->children[0]->children.empty());
    EXPECT_EQ(log.lines.size(), 1u);
}

TEST_F(Graphs, UnknownClassAnywhereFailsTheWholeRead) {
    SerialLog log;
    auto root = read(R"(<object class="test::Node" id="1"><refs name="children"><item id="2"/></refs></object>
                        <object class="test::Node" id="2"><ref name="partner" id="3"/></object>
                        <object class="game::Gone" id="3"/>)");
    EXPECT_EQ(root, nullptr);
    EXPECT_TRUE(log.mentions("'game::Gone'"));
    EXPECT_TRUE(Node::live().empty());
    EXPECT_TRUE(Payload::live().empty());
}

TEST_F(Graphs, UnreachableObjectsAreNotCreated) {
    auto root = read(
        R"(<object class="test::Node" id="9"/><object class="test::Node" id="1"><int name="tag">5</int></object>
                        <object class="game::Gone" id="10"/>)");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->tag, 5);
    EXPECT_EQ(Node::live().size(), 1u);
}

}  // namespace
