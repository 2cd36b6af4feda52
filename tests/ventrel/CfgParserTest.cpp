#include <gtest/gtest.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Random.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>
#include <unistd.h>
#include <ventrel/CfgParser.h>
#include <ventrel/Ventrel.h>

#include <memory>

#include "LogCapture.h"

using ventrel::CfgParser;
using MapPtr = std::unique_ptr<CfgParser::Map>;

TEST(CfgParser, ReadsCategoriesKeysAndData) {
    MapPtr map(
        CfgParser::parseString("# comment\n\n  [System]  \nGUI:normal\nkey: spaced # not a "
                               "comment\n[Video]:x\na:b:c\n[Video]\nw:1\n"));
    ASSERT_EQ(map->categories.size(), 3u);
    CfgParser::Category* system = map->getCategory("System");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->get("GUI"), "normal");
    EXPECT_EQ(system->get("key"), " spaced # not a comment");
    EXPECT_EQ(system->get("missing"), "");
    CfgParser::Category* video = map->getCategory("Video");
    EXPECT_EQ(video->data, "x");
    EXPECT_EQ(video->get("a"), "b:c");
    EXPECT_EQ(map->categories[2]->data, "");
    EXPECT_EQ(map->getCategory("None"), nullptr);
}

TEST(CfgParser, ReportsMalformedLinesAndGoesOn) {
    LogCapture log;
    MapPtr map(CfgParser::parseString(
        "orphan:1\n[]\n[A\n[Good]\nk:first\nk:second\nnocolon\n[]\nz:1\n[D]:dd\nk:1\nk:2\n"));
    EXPECT_EQ(log.warnings, (std::vector<std::string>{
                                "No CFG Category defined before line: orphan:1",
                                "Empty CFG Category not allowed in line: []",
                                "Malformed CFG Category in line: [A",
                                "Key 'k' in CFG Category '[Good]:' defined more than once!",
                                "Empty CFG Category not allowed in line: []",
                                "Key 'k' in CFG Category '[D]:dd' defined more than once!",
                            }));
    CfgParser::Category* good = map->getCategory("Good");
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->get("k"), "first");
    EXPECT_EQ(good->get(""), "");  // the colon-less line became an empty key
    EXPECT_TRUE(good->values.count(""));
    EXPECT_EQ(good->get("z"), "1");  // a rejected category line keeps the previous one current
}

TEST(CfgParser, WindowsLineEndingsLeaveNoCarriageReturn) {
    MapPtr map(CfgParser::parseString("[System]\r\nGUI:normal\r\nodd:value \r \r\r\n[Video]:x\r\n"));
    EXPECT_EQ(map->getCategory("System")->get("GUI"), "normal");
    EXPECT_EQ(map->getCategory("System")->get("odd"), "value");
    EXPECT_EQ(map->getCategory("Video")->data, "x");
}

TEST(CfgParser, ArraysAndSet) {
    MapPtr map(CfgParser::parseString("[A]\nlist:x\t\ty\n"));
    CfgParser::Category* a = map->getCategory("A");
    EXPECT_EQ(a->getArray("list"), (kit::Array<kit::String>{"x", "y"}));
    LogCapture log;
    EXPECT_FALSE(a->set("list", "x\t\ty"));
    EXPECT_TRUE(log.others.empty());
    EXPECT_TRUE(a->set("list", kit::Array<kit::String>{"p", "q"}));
    EXPECT_EQ(a->get("list"), "p\tq");
    EXPECT_EQ(log.others, (std::vector<std::string>{"CFG: list=\"p\tq\""}));
}

TEST(CfgParser, CreateStringWritesCategoriesInOrderAndKeysSorted) {
    MapPtr empty(CfgParser::parseString(""));
    EXPECT_EQ(empty->createString(), "");
    MapPtr map(CfgParser::parseString("[B]:d\nz:1\na:2\n[A]\n"));
    EXPECT_EQ(map->createString(), "[B]:d\na:2\nz:1\n\n[A]\n");
    // One category, one entry: the text ends with a single line feed.
    MapPtr single(CfgParser::parseString("[S]\na:b\n"));
    EXPECT_EQ(single->createString(), "[S]\na:b\n");
    // Text written with the former trailing empty line still parses back the same.
    MapPtr old(CfgParser::parseString("[S]\na:b\n\n"));
    EXPECT_EQ(old->createString(), "[S]\na:b\n");
}

namespace {

kit::String randomText(int maxLength) {
    // Everything a value may hold: no line feeds, no leading or trailing spaces.
    static const kit::String alphabet = "abcXYZ019 :#[]{}%\t.-_";
    kit::String text;
    int length = kit::random(0, maxLength + 1);
    for (int i = 0; i < length; ++i) {
        text += alphabet[kit::random(0, static_cast<int>(alphabet.size()))];
    }
    return text;
}

}  // namespace

TEST(CfgParser, RandomMapsSurviveWritingAndReading) {
    kit::seedRandom(1234);
    for (int round = 0; round < 300; ++round) {
        CfgParser::Map map;
        int count = kit::random(0, 5);
        for (int c = 0; c < count; ++c) {
            kit::String name = "C" + std::to_string(c) + kit::replace(randomText(4), "]", "");
            CfgParser::Category* category = map.addCategory(
                kit::replace(kit::replace(name, " ", ""), "\t", ""), kit::trim(randomText(5)));
            int keys = kit::random(0, 6);
            for (int k = 0; k < keys; ++k) {
                kit::String key = "k" + kit::replace(kit::replace(randomText(4), ":", ""), " ", "");
                category->values[key] = kit::trimRight(randomText(8));
            }
        }
        kit::String text = map.createString();
        MapPtr back(CfgParser::parseString(text));
        ASSERT_EQ(back->categories.size(), map.categories.size()) << text;
        for (size_t c = 0; c < map.categories.size(); ++c) {
            EXPECT_EQ(back->categories[c]->name, map.categories[c]->name) << text;
            EXPECT_EQ(back->categories[c]->data, map.categories[c]->data) << text;
            EXPECT_EQ(back->categories[c]->values, map.categories[c]->values) << text;
        }
        EXPECT_EQ(back->createString(), text);
    }
}

TEST(LoadCfg, PrefersLocalOverDefaultAndToleratesNeither) {
    kit::String root = "/tmp/ventrel_cfg_" + std::to_string(::getpid());
    kit::Dir::create(root + "/cfg");
    kit::ResourceDir::setRoot(root);
    ventrel::cfg.reset();
    {
        LogCapture log;
        ventrel::loadCfg("cfg");
        EXPECT_EQ(ventrel::cfg, nullptr);
        EXPECT_EQ(log.warnings, (std::vector<std::string>{"CFG not found: cfg/default.cfg"}));
    }
    kit::File::write(root + "/cfg/default.cfg", "[System]\nGUI:normal\n");
    ventrel::loadCfg("cfg");
    ASSERT_NE(ventrel::cfg, nullptr);
    EXPECT_EQ(ventrel::cfg->getCategory("System")->get("GUI"), "normal");
    kit::File::write(root + "/cfg/local.cfg", "[Other]\n");
    ventrel::loadCfg("cfg");
    EXPECT_EQ(ventrel::cfg->getCategory("System"), nullptr);
    ventrel::cfg.reset();
    kit::ResourceDir::setRoot("");
    kit::Dir::remove(root);
}
