#include <gtest/gtest.h>
#include <kit/File.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <limits>

#include <serial/Collection.h>

#include "Support.h"
#include "TestClasses.h"

using test::Colour;
using test::Node;
using test::Payload;
using test::Sample;

namespace {

class RoundTrip : public testing::TestWithParam<Form> {
protected:
    void TearDown() override {
        test::sweep();
        EXPECT_TRUE(Node::live().empty());
    }
};

std::unique_ptr<Sample> makeSample() {
    auto sample = std::make_unique<Sample>();
    sample->number = INT_MIN;
    sample->count = UINT_MAX;
    sample->ratio = -0.1f;
    sample->flag = true;
    sample->text = "  <a & \"b\"> ]]> \xC3\xA9\xE4\xB8\xAD\tend\r\n ";
    sample->scale = {1.5f, -2.25f};
    sample->rect = {1e-7f, 3.0f, 1280.0f, std::numeric_limits<float>::max()};
    sample->colour = Colour::Green;
    sample->child = new Sample();
    sample->child->number = 17;
    sample->numbers = {INT_MAX, -1, 0, 3};
    // The last holds bytes XML cannot carry as text.
    sample->texts = {"", "two words", " ", std::string("nul\0inside\x01 \xFF\xED\xA0\x80", 16)};
    sample->colours = {Colour::Blue, Colour::Red, Colour::Blue};
    sample->children = {new Sample(), nullptr, new Sample()};
    sample->children[0]->text = "first";
    sample->children[2]->text = "third";
    return sample;
}

TEST_P(RoundTrip, EveryFieldTypeKeepsItsValue) {
    auto sample = makeSample();
    auto copy = roundTrip<Sample>(sample.get(), GetParam());
    ASSERT_NE(copy, nullptr);

    EXPECT_EQ(copy->number, INT_MIN);
    EXPECT_EQ(copy->count, UINT_MAX);
    EXPECT_EQ(copy->ratio, -0.1f);
    EXPECT_TRUE(copy->flag);
    EXPECT_EQ(copy->text, sample->text);
    EXPECT_EQ(copy->scale, sample->scale);
    EXPECT_EQ(copy->rect, sample->rect);
    EXPECT_EQ(copy->colour, Colour::Green);
    EXPECT_EQ(copy->colour.getName(), "Green");
    ASSERT_NE(copy->child, nullptr);
    EXPECT_EQ(copy->child->number, 17);
    EXPECT_EQ(copy->child->child, nullptr);
    EXPECT_EQ(copy->numbers, sample->numbers);
    EXPECT_EQ(copy->texts, sample->texts);
    EXPECT_EQ(copy->colours, sample->colours);
    ASSERT_EQ(copy->children.size(), 3u);
    EXPECT_EQ(copy->children[0]->text, "first");
    EXPECT_EQ(copy->children[1], nullptr);
    EXPECT_EQ(copy->children[2]->text, "third");
}

TEST_P(RoundTrip, SpecialFloatsSurvive) {
    Sample sample;
    sample.ratio = std::numeric_limits<float>::quiet_NaN();
    sample.scale = {std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()};
    sample.rect = {-0.0f, std::numeric_limits<float>::denorm_min(), 0.1f, 16777217.0f};
    auto copy = roundTrip<Sample>(&sample, GetParam());
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(std::isnan(copy->ratio));
    EXPECT_EQ(copy->scale, sample.scale);
    EXPECT_EQ(copy->rect, sample.rect);
    EXPECT_TRUE(std::signbit(copy->rect.x));
}

// A player listed in two arrays stays one player, and a pointer back to the root closes a cycle.
TEST_P(RoundTrip, SharedObjectsKeepTheirIdentity) {
    auto root = std::make_unique<Node>();
    Node* first = new Node();
    Node* second = new Node();
    first->tag = 1;
    second->tag = 2;
    root->children = {first, second};
    root->friends = {second, first, second, root.get()};
    first->partner = second;
    second->partner = first;
    second->friends = {root.get()};

    auto copy = roundTrip<Node>(root.get(), GetParam());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->children.size(), 2u);
    Node* copyFirst = copy->children[0];
    Node* copySecond = copy->children[1];
    EXPECT_EQ(copyFirst->tag, 1);
    EXPECT_EQ(copySecond->tag, 2);
    EXPECT_EQ(copy->friends, (kit::Array<Node*>{copySecond, copyFirst, copySecond, copy.get()}));
    EXPECT_EQ(copyFirst->partner, copySecond);
    EXPECT_EQ(copySecond->partner, copyFirst);
    EXPECT_EQ(copySecond->friends, kit::Array<Node*>{copy.get()});
    EXPECT_NE(copyFirst, first);
    root.reset();
    copy.reset();
    EXPECT_TRUE(Node::live().empty());
    EXPECT_TRUE(Payload::live().empty());
}

TEST_P(RoundTrip, NullPointersStayNullAndOwnedDefaultsAreFreed) {
    Node root;
    delete root.payload;
    root.payload = nullptr;
    root.friends = {nullptr};
    Node* child = new Node();
    child->payload->value = 9;
    root.children = {child};

    auto copy = roundTrip<Node>(&root, GetParam());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->payload, nullptr);
    EXPECT_EQ(copy->partner, nullptr);
    EXPECT_EQ(copy->friends, kit::Array<Node*>{nullptr});
    ASSERT_EQ(copy->children.size(), 1u);
    EXPECT_EQ(copy->children[0]->payload->value, 9);
    // Each loaded node's constructor made a payload that the stored one replaced; none may survive.
    EXPECT_EQ(Payload::live().size(), 2u);
}

TEST_P(RoundTrip, UniquePointersKeepTheirTreeAndBorrowedLinks) {
    auto root = std::make_unique<test::Tree>();
    root->leaf->value = 1;
    for (int tag = 1; tag <= 2; ++tag) {
        root->branches.push_back(std::make_unique<test::Tree>());
        root->branches.back()->tag = tag;
    }
    root->branches[0]->leaf.reset();
    root->branches[1]->branches.push_back(std::make_unique<test::Tree>());
    root->branches[1]->friendTree = root->branches[0].get();

    auto copy = roundTrip<test::Tree>(root.get(), GetParam());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->branches.size(), 2u);
    EXPECT_EQ(copy->leaf->value, 1);
    EXPECT_EQ(copy->branches[0]->leaf, nullptr);
    EXPECT_EQ(copy->branches[1]->tag, 2);
    EXPECT_EQ(copy->branches[1]->branches.size(), 1u);
    EXPECT_EQ(copy->branches[1]->friendTree, copy->branches[0].get());
    root.reset();
    copy.reset();
    EXPECT_TRUE(test::Tree::live().empty());
    EXPECT_TRUE(Payload::live().empty());
}

TEST_P(RoundTrip, LongChainsNeedNoDeepRecursion) {
    auto root = std::make_unique<Node>();
    Node* last = root.get();
    for (int i = 1; i <= 20000; ++i) {
        Node* next = new Node();
        next->tag = i;
        last->children.push_back(next);
        last = next;
    }
    auto copy = roundTrip<Node>(root.get(), GetParam());
    ASSERT_NE(copy, nullptr);
    Node* walk = copy.get();
    int depth = 0;
    while (!walk->children.empty()) {
        walk = walk->children.front();
        ++depth;
    }
    EXPECT_EQ(depth, 20000);
    EXPECT_EQ(walk->tag, 20000);
    // The nodes' own destructors recurse; take the chain apart from the bottom.
    for (Node* node : {root.get(), copy.get()}) {
        kit::Array<Node*> chain;
        for (Node* n = node; !n->children.empty(); n = n->children.front()) {
            chain.push_back(n);
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            delete (*it)->children.front();
            (*it)->children.clear();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Forms, RoundTrip, testing::Values(Form::Binary, Form::Xml),
                         [](const testing::TestParamInfo<Form>& testInfo) {
                             return formName(testInfo.param);
                         });

// A file holding a list: the items come out owned by the caller, shared ones still shared.
TEST(Collection, CarriesAListOfObjects) {
    Node* first = new Node();
    first->tag = 1;
    Node* second = new Node();
    second->partner = first;
    serial::Collection list({first, second, new Payload()});
    std::unique_ptr<serial::Serializable> loaded(serial::fromXml(serial::toXml(&list)));
    auto* copy = dynamic_cast<serial::Collection*>(loaded.get());
    ASSERT_NE(copy, nullptr);
    kit::Array<serial::Serializable*> items = copy->release();
    loaded.reset();
    ASSERT_EQ(items.size(), 3u);
    auto* copyFirst = dynamic_cast<Node*>(items[0]);
    auto* copySecond = dynamic_cast<Node*>(items[1]);
    ASSERT_NE(copyFirst, nullptr);
    ASSERT_NE(copySecond, nullptr);
    EXPECT_EQ(copyFirst->tag, 1);
    EXPECT_EQ(copySecond->partner, copyFirst);
    EXPECT_NE(dynamic_cast<Payload*>(items[2]), nullptr);
    for (serial::Serializable* item : items) {
        delete item;
    }
}

TEST(Clone, CopiesTheWholeGraphThroughTheFactory) {
    auto sample = makeSample();
    std::unique_ptr<serial::Serializable> copy(sample->clone());
    auto* typed = dynamic_cast<Sample*>(copy.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_NE(typed->child, sample->child);
    EXPECT_EQ(typed->child->number, 17);
    EXPECT_EQ(typed->text, sample->text);
    sample.reset();
    EXPECT_EQ(typed->children[2]->text, "third");
}

TEST(Clone, UnregisteredClassGivesNull) {
    SerialLog log;
    test::Unregistered object;
    EXPECT_EQ(object.clone(), nullptr);
    EXPECT_TRUE(log.mentions("test::Unregistered"));
}

TEST(Serialize, RefusesNullRootAndUnregisteredClasses) {
    SerialLog log;
    kit::Stream stream;
    EXPECT_FALSE(serial::serialize(stream, nullptr));
    test::Unregistered object;
    EXPECT_FALSE(serial::serialize(stream, &object));
    EXPECT_EQ(stream.size(), 0u);
    EXPECT_EQ(serial::toXml(&object), "");
    EXPECT_EQ(log.lines.size(), 3u);
}

TEST(Serialize, AppendsAndReadsFromThePosition) {
    kit::Stream stream;
    stream.dump(77);
    Payload first, second;
    first.value = 1;
    second.value = 2;
    ASSERT_TRUE(serial::serialize(stream, &first));
    ASSERT_TRUE(serial::serialize(stream, &second));
    uint32_t prefix = 0;
    ASSERT_TRUE(stream.load(prefix));
    serial::Serializable* a = nullptr;
    serial::Serializable* b = nullptr;
    ASSERT_TRUE(serial::deserialize(stream, &a));
    ASSERT_TRUE(serial::deserialize(stream, &b));
    EXPECT_EQ(dynamic_cast<Payload*>(a)->value, 1);
    EXPECT_EQ(dynamic_cast<Payload*>(b)->value, 2);
    EXPECT_TRUE(stream.atEnd());
    delete a;
    delete b;
}

class Files : public testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("serial_files_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }

    std::filesystem::path folder;
};

TEST_F(Files, ExtensionChoosesTheForm) {
    auto sample = makeSample();
    ASSERT_TRUE(serial::saveFile(path("s.srb"), sample.get()));
    ASSERT_TRUE(serial::saveFile(path("s.srx"), sample.get()));
    EXPECT_EQ(kit::File::readText(path("s.srb")).substr(0, 4), "SRLB");
    EXPECT_EQ(kit::File::readText(path("s.srx")).substr(0, 5), "<?xml");
    for (const char* name : {"s.srb", "s.srx"}) {
        std::unique_ptr<serial::Serializable> loaded(serial::loadFile(path(name)));
        auto* typed = dynamic_cast<Sample*>(loaded.get());
        ASSERT_NE(typed, nullptr) << name;
        EXPECT_EQ(typed->texts, sample->texts) << name;
    }
}

TEST_F(Files, BadNamesAndMissingFilesAreRefused) {
    SerialLog log;
    Payload payload;
    EXPECT_FALSE(serial::saveFile(path("p.txt"), &payload));
    EXPECT_FALSE(kit::File::exists(path("p.txt")));
    EXPECT_EQ(serial::loadFile(path("missing.srb")), nullptr);
    EXPECT_FALSE(serial::saveFile(path("no/such/folder/p.srb"), &payload));
    EXPECT_TRUE(log.mentions("missing.srb"));
}

}  // namespace
