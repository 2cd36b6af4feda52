#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "Support.h"
#include "TestClasses.h"

using test::Node;
using test::Payload;

namespace {

// A graph with every kind of link: owned and borrowed, scalar and array, shared and cyclic.
std::unique_ptr<Node> makeGraph() {
    auto root = std::make_unique<Node>();
    root->tag = 100;
    for (int i = 0; i < 4; ++i) {
        Node* child = new Node();
        child->tag = i;
        child->payload->value = i * 10;
        child->partner = root.get();
        root->children.push_back(child);
        root->friends.push_back(child);
    }
    root->children[1]->children.push_back(new Node());
    root->children[1]->friends = {root->children[3], nullptr, root->children[1]->children[0]};
    root->partner = root->children[2];
    return root;
}

kit::String binaryOf(serial::Serializable* root) {
    kit::Stream stream;
    EXPECT_TRUE(serial::serialize(stream, root));
    return stream.getBytes();
}

// Reads bytes that may be damaged: either null or a usable graph, and nothing left behind. Returns
// whether a graph came back.
bool readDamaged(const kit::String& bytes, Form form) {
    serial::Serializable* root = nullptr;
    if (form == Form::Binary) {
        kit::Stream stream(bytes);
        serial::deserialize(stream, &root);
    } else {
        root = serial::fromXml(bytes);
    }
    bool read = root != nullptr;
    if (read) {
        kit::Stream again;
        EXPECT_TRUE(serial::serialize(again, root));
        delete root;
    }
    test::sweep();
    EXPECT_TRUE(Node::live().empty());
    EXPECT_TRUE(Payload::live().empty());
    return read;
}

class Damage : public testing::Test {
protected:
    void SetUp() override { kit::Log::setConsoleEnabled(false); }
    void TearDown() override { kit::Log::setConsoleEnabled(true); }
};

TEST_F(Damage, EveryTruncationOfTheBinaryFormFails) {
    auto graph = makeGraph();
    kit::String bytes = binaryOf(graph.get());
    for (size_t length = 0; length < bytes.size(); ++length) {
        kit::Stream stream(bytes.substr(0, length));
        serial::Serializable* root = reinterpret_cast<serial::Serializable*>(&stream);
        EXPECT_FALSE(serial::deserialize(stream, &root)) << length;
        EXPECT_EQ(root, nullptr) << length;
        ASSERT_EQ(Node::live().size(), 6u) << "only the original graph is alive at length " << length;
    }
}

TEST_F(Damage, EveryTruncationOfTheXmlFormIsHandled) {
    auto graph = makeGraph();
    kit::String text = serial::toXml(graph.get());
    graph.reset();
    for (size_t length = 0; length < text.size(); ++length) {
        readDamaged(text.substr(0, length), Form::Xml);
    }
}

TEST_F(Damage, RandomByteFlipsNeverCrashOrLeak) {
    auto graph = makeGraph();
    const kit::String forms[] = {binaryOf(graph.get()), serial::toXml(graph.get())};
    graph.reset();
    std::mt19937 random(20261208);
    int read[2] = {0, 0};
    const int rounds = 4000;
    for (int round = 0; round < rounds; ++round) {
        Form form = round % 2 == 0 ? Form::Binary : Form::Xml;
        kit::String bytes = forms[round % 2];
        int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) {
            bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
        }
        read[round % 2] += readDamaged(bytes, form) ? 1 : 0;
    }
    // Both outcomes must occur, or the flips never reach the reader's later stages.
    for (int count : read) {
        EXPECT_GT(count, 0);
        EXPECT_LT(count, rounds / 2);
    }
    std::cout << "graphs read back from damaged data: binary " << read[0] << ", XML " << read[1] << " of "
              << rounds / 2 << " each\n";
}

kit::Stream header(uint32_t objects, uint32_t root) {
    kit::Stream stream;
    stream.write("SRLB", 4);
    stream.dump(1);
    stream.dump(objects);
    stream.dump(root);
    return stream;
}

void expectRefused(kit::Stream stream, const std::string& reason) {
    SerialLog log;
    serial::Serializable* root = nullptr;
    EXPECT_FALSE(serial::deserialize(stream, &root));
    EXPECT_EQ(root, nullptr);
    EXPECT_TRUE(log.mentions(reason)) << (log.lines.empty() ? "nothing logged" : log.lines.front());
}

void writeString(kit::Stream& stream, const std::string& text) {
    stream.dump(static_cast<uint32_t>(text.size()));
    stream.write(text);
}

TEST(BinaryHeader, WrongMagicVersionOrRootIsRefused) {
    kit::Stream wrongMagic;
    wrongMagic.write("SRLX\x01\0\0\0", 8);
    expectRefused(wrongMagic, "magic");

    kit::Stream future;
    future.write("SRLB", 4);
    future.dump(2);
    expectRefused(future, "version 2");

    expectRefused(header(0, 0), "root object is null");
    kit::Stream rootBeyond = header(1, 2);
    rootBeyond.write(kit::String(8, '\0'));
    expectRefused(rootBeyond, "missing object 2");
}

// Lengths and counts are checked against the bytes left before anything is allocated for them.
TEST(BinaryHeader, HugeCountsAreRefusedBeforeAllocating) {
    expectRefused(header(0xFFFFFFFF, 1), "object count 4294967295");

    kit::Stream longName = header(1, 1);
    longName.dump(0xFFFFFFF0);
    expectRefused(longName, "string length");

    kit::Stream manyVariables = header(1, 1);
    writeString(manyVariables, "test::Node");
    manyVariables.dump(0x7FFFFFFF);
    expectRefused(manyVariables, "variable count");

    kit::Stream longArray = header(1, 1);
    writeString(longArray, "test::Node");
    longArray.dump(1);
    writeString(longArray, "children");
    longArray.write("\x0C", 1);
    longArray.dump(0x40000000);
    expectRefused(longArray, "array length");

    kit::Stream badType = header(1, 1);
    writeString(badType, "test::Node");
    badType.dump(1);
    writeString(badType, "tag");
    badType.write("\x42", 1);
    expectRefused(badType, "unknown value type 66");
}

struct RefusedXml {
    const char* name;
    const char* text;
    const char* reason;
};

// Test lists and failures name the document, not its bytes.
void PrintTo(const RefusedXml& document, std::ostream* out) {
    *out << document.name;
}

class XmlRefusal : public testing::TestWithParam<RefusedXml> {};

TEST_P(XmlRefusal, GivesNullAndAReason) {
    SerialLog log;
    EXPECT_EQ(serial::fromXml(GetParam().text), nullptr);
    EXPECT_TRUE(log.mentions(GetParam().reason))
        << (log.lines.empty() ? "nothing logged" : log.lines.front());
    EXPECT_TRUE(Node::live().empty());
}

const RefusedXml RefusedDocuments[] = {
    {"Empty", "", "XML error"},
    {"Unclosed", "<serial version=\"1\" root=\"1\"><object class=\"test::Node\" id=\"1\">", "XML error"},
    {"OtherDocument", "<html/>", "not <serial>"},
    {"FutureVersion", "<serial version=\"9\" root=\"1\"/>", "version '9'"},
    {"NoRoot", "<serial version=\"1\"><object class=\"test::Node\" id=\"1\"/></serial>",
     "root object is missing"},
    {"DanglingReference",
     "<serial version=\"1\" root=\"1\"><object class=\"test::Node\" id=\"1\"><ref name=\"partner\" id=\"7\"/>"
     "</object></serial>",
     "missing object 7"},
    {"DuplicateId",
     "<serial version=\"1\" root=\"1\"><object class=\"test::Node\" id=\"1\"/><object class=\"test::Node\" "
     "id=\"1\"/>"
     "</serial>",
     "used twice"},
    {"ZeroId", "<serial version=\"1\" root=\"1\"><object class=\"test::Node\" id=\"0\"/></serial>", "bad id"},
    {"BadNumber",
     "<serial version=\"1\" root=\"1\"><object class=\"test::Node\" id=\"1\"><int name=\"tag\">12abc</int>"
     "</object></serial>",
     "'tag'"},
    {"NumberOutOfRange",
     "<serial version=\"1\" root=\"1\"><object class=\"test::Node\" id=\"1\"><int "
     "name=\"tag\">4294967296</int>"
     "</object></serial>",
     "'tag'"},
    {"BadFlag",
     "<serial version=\"1\" root=\"1\"><object class=\"test::Sample\" id=\"1\"><bool name=\"flag\">yes</bool>"
     "</object></serial>",
     "'flag'"},
    {"Doctype",
     "<!DOCTYPE serial SYSTEM \"file:///etc/passwd\"><serial version=\"1\" root=\"1\">"
     "<object class=\"test::Node\" id=\"1\"/></serial>",
     "DOCTYPE"},
    {"BillionLaughs",
     "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
     "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
     "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
     "<serial version=\"1\" root=\"1\"><object class=\"test::Sample\" id=\"1\"><string "
     "name=\"text\">&lol3;</string>"
     "</object></serial>",
     "DOCTYPE"},
};

INSTANTIATE_TEST_SUITE_P(Documents, XmlRefusal, testing::ValuesIn(RefusedDocuments),
                         [](const testing::TestParamInfo<RefusedXml>& testInfo) {
                             return testInfo.param.name;
                         });

TEST(XmlInput, UndeclaredEntitiesStayPlainText) {
    std::unique_ptr<serial::Serializable> root(
        serial::fromXml("<serial version=\"1\" root=\"1\"><object class=\"test::Sample\" id=\"1\">"
                        "<string name=\"text\">&lol; &amp; &#x41;</string></object></serial>"));
    auto* sample = dynamic_cast<test::Sample*>(root.get());
    ASSERT_NE(sample, nullptr);
    EXPECT_EQ(sample->text, "&lol; & A");
}

TEST(XmlInput, DeepNestingIsHarmless) {
    const int depth = 200000;
    kit::String text = "<serial version=\"1\" root=\"1\"><object class=\"test::Payload\" id=\"1\">";
    for (int i = 0; i < depth; ++i) {
        text += "<int name=\"value\">";
    }
    for (int i = 0; i < depth; ++i) {
        text += "</int>";
    }
    text += "</object></serial>";
    SerialLog log;
    std::unique_ptr<serial::Serializable> root(serial::fromXml(text));
    EXPECT_EQ(root, nullptr) << "an element holding elements is not a number";
    EXPECT_TRUE(log.mentions("'value'"));
}

}  // namespace
