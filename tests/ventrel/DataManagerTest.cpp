#include <gtest/gtest.h>
#include <kit/ResourceDir.h>
#include <serial/Collection.h>
#include <serial/Factory.h>
#include <serial/Serial.h>
#include <ventrel/Position2.h>
#include <ventrel/system/DataManager.h>

#include "LogCapture.h"
#include "TempFolder.h"

using ventrel::Position2;
using ventrel::system::DataManager;

namespace {

class Content : public DataManager {
public:
    Content() : DataManager("data") {}
    using DataManager::_loadArray;
    using DataManager::_loadDirectory;
    using DataManager::_loadObject;
};

class DataFiles : public ::testing::Test {
protected:
    void SetUp() override { kit::ResourceDir::setRoot(folder.path); }
    void TearDown() override { kit::ResourceDir::setRoot(""); }
    void write(const kit::String& name, int x) {
        kit::Dir::create(kit::Dir::getParent(folder.file(name)));
        Position2 position(x, 0);
        ASSERT_TRUE(serial::saveFile(folder.file(name), &position));
    }
    kit::Array<int> xs() const {
        kit::Array<int> result;
        for (const auto& object : objects)
            result.push_back(dynamic_cast<Position2*>(object.get())->x);
        return result;
    }

    TempFolder folder;
    Content content;
    DataManager::Objects objects;
};

}  // namespace

TEST_F(DataFiles, BinaryWinsOverXmlAndComesFirst) {
    write("data/a/p.srb", 1);
    write("data/a/p.srx", 2);
    write("data/a/q.srx", 3);
    write("data/b/p.srx", 4);
    write("data/b/q.srb", 5);
    EXPECT_TRUE(content._loadDirectory("a", objects, true));
    EXPECT_TRUE(content._loadDirectory("b", objects, true));
    EXPECT_EQ(xs(), (kit::Array<int>{1, 3, 5, 4}));
}

TEST_F(DataFiles, MissingFilesWarnOnlyWhenAsked) {
    LogCapture log;
    EXPECT_EQ(content._loadObject("none", false), nullptr);
    EXPECT_FALSE(content._loadDirectory("none", objects, false));
    EXPECT_TRUE(log.warnings.empty());
    EXPECT_EQ(content._loadObject("none", true), nullptr);
    EXPECT_EQ(log.warnings, (std::vector<std::string>{"Could not load: data/none"}));
    write("data/one.srx", 9);
    std::unique_ptr<serial::Serializable> object = content._loadObject("one", true);
    ASSERT_NE(object, nullptr);
    objects.push_back(std::move(object));
    EXPECT_EQ(xs(), (kit::Array<int>{9}));
}

TEST_F(DataFiles, ArrayFilesAppendTheirObjects) {
    serial::Collection list({new Position2(1, 0), new Position2(2, 0)});
    kit::Dir::create(folder.file("data"));
    ASSERT_TRUE(serial::saveFile(folder.file("data/list.srb"), &list));
    EXPECT_TRUE(content._loadArray("list", objects, true));
    EXPECT_EQ(xs(), (kit::Array<int>{1, 2}));
    write("data/single.srb", 3);
    EXPECT_FALSE(content._loadArray("single", objects, true));
}
