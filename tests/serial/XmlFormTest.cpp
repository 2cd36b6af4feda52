#include <gtest/gtest.h>

#include <kit/File.h>

#include <cstdlib>
#include <filesystem>
#include <pugixml.hpp>

#include "Support.h"
#include "TestClasses.h"

using test::Node;

namespace {

// pugixml here only judges what the layer wrote, independently of how the layer reads it back.
TEST(XmlForm, IsWellFormedWithOneElementPerObjectAndReferencesById) {
    Node root;
    Node* child = new Node();
    root.children = {child};
    root.friends = {child, child};
    child->partner = &root;
    child->payload->value = 3;

    kit::String text = serial::toXml(&root);
    pugi::xml_document xml;
    ASSERT_TRUE(xml.load_string(text.c_str(), pugi::parse_default | pugi::parse_declaration)) << text;
    EXPECT_EQ(xml.first_child().type(), pugi::node_declaration);
    pugi::xml_node top = xml.document_element();
    EXPECT_STREQ(top.name(), "serial");

    std::map<std::string, std::string> classes;
    for (pugi::xml_node object : top.children("object")) {
        classes[object.attribute("id").value()] = object.attribute("class").value();
    }
    ASSERT_EQ(classes.size(), 4u) << "two nodes and two payloads, each once";
    EXPECT_EQ(classes[top.attribute("root").value()], "test::Node");

    pugi::xml_node rootElement = top.find_child_by_attribute("object", "id", top.attribute("root").value());
    pugi::xml_node friends = rootElement.find_child_by_attribute("refs", "name", "friends");
    std::string childId = friends.first_child().attribute("id").value();
    EXPECT_EQ(classes[childId], "test::Node");
    EXPECT_EQ(friends.last_child().attribute("id").value(), childId);
    pugi::xml_node childElement = top.find_child_by_attribute("object", "id", childId.c_str());
    EXPECT_STREQ(childElement.find_child_by_attribute("ref", "name", "partner").attribute("id").value(),
                 top.attribute("root").value());
    EXPECT_STREQ(rootElement.find_child_by_attribute("int", "name", "tag").child_value(), "0");
}

TEST(XmlForm, IsIndentedForPeople) {
    test::Payload payload;
    kit::String text = serial::toXml(&payload);
    EXPECT_NE(text.find("\n  <object class=\"test::Payload\" id=\"1\">\n    <int name=\"value\">-1</int>"),
              kit::String::npos)
        << text;
}

// A strict second judge: Python's parser refuses character references to control characters, which
// pugixml accepts.
TEST(XmlForm, PythonParsesTextsXmlCannotHoldDirectly) {
    if (std::system("python3 -c 'import xml.etree.ElementTree' 2>/dev/null") != 0) {
        GTEST_SKIP() << "python3 is not available";
    }
    test::Sample sample;
    sample.text = std::string("bell\x07 nul\0 \xC3(", 14);
    sample.texts = {"plain", "\x1B[0m", "caf\xC3\xA9"};
    std::filesystem::path path = std::filesystem::temp_directory_path() / "serial_python_check.srx";
    ASSERT_TRUE(serial::saveFile(path.string(), &sample));
    std::string command =
        "python3 -c 'import sys, xml.etree.ElementTree as E; E.parse(sys.argv[1])' " + path.string();
    EXPECT_EQ(std::system(command.c_str()), 0) << kit::File::readText(path.string());
    std::unique_ptr<serial::Serializable> loaded(serial::loadFile(path.string()));
    std::filesystem::remove(path);
    auto* copy = dynamic_cast<test::Sample*>(loaded.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text, sample.text);
    EXPECT_EQ(copy->texts, sample.texts);
}

}  // namespace
