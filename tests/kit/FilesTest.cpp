#include <gtest/gtest.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/MappedFile.h>
#include <kit/ResourceDir.h>
#include <unistd.h>

namespace {

class Files : public ::testing::Test {
protected:
    void SetUp() override {
        root = kit::Dir::joinPath(kit::Dir::getTemporaryPath(), "kit_files_" + std::to_string(::getpid()));
        kit::Dir::remove(root);
    }
    void TearDown() override { kit::Dir::remove(root); }
    kit::String root;
};

}  // namespace

TEST(Paths, JoinPutsExactlyOneSlash) {
    EXPECT_EQ(kit::Dir::joinPath("a", "b"), "a/b");
    EXPECT_EQ(kit::Dir::joinPath("a/", "/b"), "a/b");
    EXPECT_EQ(kit::Dir::joinPath("a/", "b"), "a/b");
    EXPECT_EQ(kit::Dir::joinPath("", "b"), "b");
    EXPECT_EQ(kit::Dir::joinPath("a", "b", "c.gui"), "a/b/c.gui");
    EXPECT_EQ(kit::Dir::getParent("a/b/c.txt"), "a/b");
    EXPECT_EQ(kit::File::getBaseName("x/first to finish lap.ogg"), "first to finish lap");
    EXPECT_EQ(kit::File::getExtension("x/y.srb"), ".srb");
}

TEST_F(Files, CreateWriteReadRenameRemove) {
    kit::String folder = kit::Dir::joinPath(root, "a/b/c");
    ASSERT_TRUE(kit::Dir::create(folder));
    ASSERT_TRUE(kit::Dir::create(folder));  // twice is fine
    kit::String path = kit::Dir::joinPath(folder, "x.bin");
    kit::String bytes("a\0b\xff", 4);
    ASSERT_TRUE(kit::File::write(path, bytes));
    kit::String back;
    ASSERT_TRUE(kit::File::read(path, back));
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(kit::File::size(path), 4);

    kit::String other = kit::Dir::joinPath(folder, "y.bin");
    ASSERT_TRUE(kit::File::write(other, "old"));
    ASSERT_TRUE(kit::File::rename(path, other));
    EXPECT_FALSE(kit::File::exists(path));
    EXPECT_EQ(kit::File::readText(other), bytes);
    EXPECT_TRUE(kit::File::remove(other));
    EXPECT_FALSE(kit::File::read(other, back));
    EXPECT_EQ(kit::File::readText(other), "");
}

TEST_F(Files, AtomicWriteReplacesWholeAndLeavesNoTemporary) {
    ASSERT_TRUE(kit::Dir::create(root));
    kit::String path = kit::Dir::joinPath(root, "save.dat");
    ASSERT_TRUE(kit::File::writeAtomic(path, "first"));
    ASSERT_TRUE(kit::File::writeAtomic(path, "second"));
    EXPECT_EQ(kit::File::readText(path), "second");
    EXPECT_EQ(kit::Dir::files(root), (kit::Array<kit::String>{"save.dat"}));
    EXPECT_FALSE(kit::File::writeAtomic(kit::Dir::joinPath(root, "missing/save.dat"), "x"));
}

TEST_F(Files, ListingIsSortedAndSeparatesFolders) {
    ASSERT_TRUE(kit::Dir::create(kit::Dir::joinPath(root, "sub")));
    for (const char* name : {"c.txt", "a.txt", "b.txt"}) {
        ASSERT_TRUE(kit::File::write(kit::Dir::joinPath(root, name), name));
    }
    EXPECT_EQ(kit::Dir::files(root), (kit::Array<kit::String>{"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(kit::Dir::directories(root), (kit::Array<kit::String>{"sub"}));
    EXPECT_TRUE(kit::Dir::files(kit::Dir::joinPath(root, "none")).empty());
}

TEST_F(Files, ResourceTreeReadsRelativeToItsRoot) {
    ASSERT_TRUE(kit::Dir::create(kit::Dir::joinPath(root, "cfg")));
    ASSERT_TRUE(kit::File::write(kit::Dir::joinPath(root, "cfg/default.cfg"), "[System]\n"));
    kit::ResourceDir::setRoot(root);
    EXPECT_TRUE(kit::ResourceDir::exists("cfg/default.cfg"));
    EXPECT_TRUE(kit::ResourceDir::isDirectory("cfg"));
    EXPECT_FALSE(kit::ResourceDir::exists("cfg/local.cfg"));
    EXPECT_EQ(kit::ResourceDir::readText("cfg/default.cfg"), "[System]\n");
    EXPECT_EQ(kit::ResourceDir::files("cfg"), (kit::Array<kit::String>{"default.cfg"}));
    kit::ResourceDir::setRoot("");
}

TEST_F(Files, AMappedFileShowsItsBytesAndMissingEmptyOrFolderMapsNothing) {
    ASSERT_TRUE(kit::Dir::create(root));
    kit::String path = kit::Dir::joinPath(root, "font.bin");
    kit::String bytes("glyf\0\xfe", 6);
    ASSERT_TRUE(kit::File::write(path, bytes));
    kit::MappedFile mapped;
    ASSERT_TRUE(mapped.open(path));
    ASSERT_EQ(mapped.size(), 6u);
    EXPECT_EQ(kit::String(reinterpret_cast<const char*>(mapped.data()), mapped.size()), bytes);

    kit::String empty = kit::Dir::joinPath(root, "empty.bin");
    ASSERT_TRUE(kit::File::write(empty, ""));
    for (const kit::String& unusable : {empty, kit::Dir::joinPath(root, "missing.bin"), root}) {
        EXPECT_FALSE(mapped.open(unusable)) << unusable;
        EXPECT_TRUE(mapped.empty()) << "what was mapped before is let go: " << unusable;
        EXPECT_EQ(mapped.data(), nullptr);
    }
}
