#include <gtest/gtest.h>
#include <kit/File.h>
#include <ventrel/system/FileManager.h>

#include "LogCapture.h"
#include "TempFolder.h"

using ventrel::system::FileManager;

namespace {

// Opens the protected file-set operations to the tests.
class Files : public FileManager {
public:
    using FileManager::_checkCrc32;
    using FileManager::_createBackup;
    using FileManager::_createFileWithCrc32;
    using FileManager::_cross;
    using FileManager::_deleteFile;
    using FileManager::_execross;
    using FileManager::_findFilename;
    using FileManager::_loadFile;
    using FileManager::_saveFileSet;

    // One save the way the managers do it: back up the valid file, then write the new one.
    bool store(const kit::String& name, const kit::String& text) {
        return _saveFileSet(name, kit::Stream(text));
    }
    kit::String loadText(const kit::String& name) {
        kit::String actual = _findFilename(name);
        kit::Stream stream;
        return !actual.empty() && _loadFile(actual, stream) ? stream.getBytes() : "<none>";
    }
};

void flipByte(const kit::String& path, size_t index) {
    kit::String bytes = kit::File::readText(path);
    bytes[index] = static_cast<char>(bytes[index] ^ 0x40);
    kit::File::write(path, bytes);
}

}  // namespace

TEST(FileManager, SavingTwiceKeepsThePreviousVersionAsBackup) {
    TempFolder folder;
    Files files;
    kit::String name = folder.file("sub/game.sav");
    ASSERT_TRUE(files.store(name, "first"));
    ASSERT_TRUE(files.store(name, "second"));
    EXPECT_EQ(kit::File::readText(name), "second");
    EXPECT_EQ(kit::File::readText(name + ".bkp"), "first");
    EXPECT_TRUE(files._checkCrc32(name));
    EXPECT_TRUE(files._checkCrc32(name + ".bkp"));
    EXPECT_EQ(kit::File::size(name + ".crc"), 4);
}

TEST(FileManager, DamagedDataFallsBackToTheBackupWhichIsNeverReplacedByIt) {
    TempFolder folder;
    Files files;
    kit::String name = folder.file("game.sav");
    files.store(name, "first");
    files.store(name, "second");
    flipByte(name, 2);
    EXPECT_EQ(files._findFilename(name), name + ".bkp");
    EXPECT_EQ(files.loadText(name), "first");
    // The next save must not rotate the damaged file into the backup.
    EXPECT_FALSE(files._createBackup(name));
    EXPECT_EQ(kit::File::readText(name + ".bkp"), "first");
    files.store(name, "third");
    EXPECT_EQ(files.loadText(name), "third");
    EXPECT_EQ(kit::File::readText(name + ".bkp"), "first");
}

TEST(FileManager, ChecksumFileRules) {
    TempFolder folder;
    Files files;
    kit::String name = folder.file("game.sav");
    EXPECT_FALSE(files._checkCrc32(name));
    EXPECT_EQ(files._findFilename(name), "");
    files.store(name, "data");
    flipByte(name, 0);
    EXPECT_FALSE(files._checkCrc32(name));
    kit::File::remove(name + ".crc");
    EXPECT_TRUE(files._checkCrc32(name));  // hand-written files carry no checksum
    kit::File::write(name + ".crc", "abc");
    EXPECT_FALSE(files._checkCrc32(name));  // three bytes never match
}

TEST(FileManager, KeyedFilesAreScrambledWithTheirOwnChecksumName) {
    TempFolder folder;
    Files files;
    files.setEncryptionKey("key!");
    kit::String name = folder.file("game.sav");
    ASSERT_TRUE(files.store(name, "plain text"));
    EXPECT_NE(kit::File::readText(name), "plain text");
    EXPECT_TRUE(kit::File::exists(name + ".x32"));
    EXPECT_FALSE(kit::File::exists(name + ".crc"));
    EXPECT_EQ(files.loadText(name), "plain text");

    kit::Stream input(kit::String("abcdef")), once, twice;
    ASSERT_TRUE(files._cross(input, once));
    ASSERT_TRUE(files._cross(once, twice));
    EXPECT_EQ(twice.getBytes(), "abcdef");
    // The key is applied back to front.
    EXPECT_EQ(once.getBytes()[0], static_cast<char>('a' ^ '!'));
    kit::Stream empty, out;
    EXPECT_FALSE(files._cross(empty, out));
}

TEST(FileManager, DeleteRemovesTheWholeSet) {
    TempFolder folder;
    Files files;
    kit::String name = folder.file("game.sav");
    files.store(name, "a");
    files.store(name, "b");
    LogCapture log;
    files._deleteFile(name);
    EXPECT_TRUE(kit::Dir::files(folder.path).empty());
    EXPECT_EQ(log.others, (std::vector<std::string>{"Deleting fileset: " + name}));
}

TEST(FileManager, AFailedWriteReportsFailureAndKeepsTheOldSet) {
    TempFolder folder;
    Files files;
    kit::String name = folder.file("game.sav");
    ASSERT_TRUE(files.store(name, "old"));
    ASSERT_TRUE(files.store(name, "kept"));
    // A folder standing where the new file's temporary copy must go makes the write fail.
    kit::Dir::create(folder.file(".game.sav.new"));
    EXPECT_FALSE(files.store(name, "lost"));
    EXPECT_EQ(files.loadText(name), "kept");
    EXPECT_EQ(kit::File::readText(name + ".bkp"), "old");  // the set was not touched
    // A file standing where the folder must go.
    kit::File::write(folder.file("blocker"), "");
    EXPECT_FALSE(files._createFileWithCrc32(folder.file("blocker/x.sav"), kit::Stream(kit::String("x"))));
}
