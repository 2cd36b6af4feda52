// Where saved pictures go and how they are named.
#include <gtest/gtest.h>
#include <kit/File.h>
#include <unistd.h>

#include <filesystem>

#include "System/Pictures.h"

using System::Pictures;

TEST(Pictures, TheFolderIsReadAsUserDirsWritesIt) {
    const std::filesystem::path home = "/home/anna";
    EXPECT_EQ(Pictures::readUserDirs("XDG_PICTURES_DIR=\"$HOME/Bilder\"\n", home), home / "Bilder");
    EXPECT_EQ(
        Pictures::readUserDirs(
            "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n  XDG_PICTURES_DIR=\"/srv/fotos\"  \n", home),
        "/srv/fotos");
    EXPECT_EQ(Pictures::readUserDirs("XDG_PICTURES_DIR=\"$HOME/Mes images\"", home), home / "Mes images");
    for (const char* none :
         {"", "XDG_PICTURES_DIR=\"$HOME/\"", "XDG_PICTURES_DIR=$HOME/Bilder", "XDG_PICTURES_DIR=\"Bilder\"",
          "#XDG_PICTURES_DIR=\"/srv\"", "XDG_PICTURES_DIR=\""}) {
        EXPECT_TRUE(Pictures::readUserDirs(none, home).empty()) << none;
    }
}

TEST(Pictures, AKeptPictureNeverReplacesAnother) {
    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("swiggard_pictures_" + std::to_string(getpid())) / "new folder";
    std::filesystem::remove_all(folder.parent_path());
    std::filesystem::create_directories(folder.parent_path());
    auto written = [&](const char* text) {
        std::filesystem::path file = folder.parent_path() / "part.png";
        kit::File::write(file.string(), text);
        return file;
    };
    EXPECT_EQ(Pictures::keep(written("one"), folder, "Night"), folder / "Night.png");
    EXPECT_EQ(Pictures::keep(written("two"), folder, "Night"), folder / "Night (2).png");
    EXPECT_EQ(Pictures::keep(written("three"), folder, "Night"), folder / "Night (3).png");
    EXPECT_EQ(kit::File::readText((folder / "Night.png").string()), "one");
    EXPECT_EQ(kit::File::readText((folder / "Night (2).png").string()), "two");
    EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "part.png"));
    // A folder that cannot be made: nothing is kept and the written file goes.
    kit::File::write((folder.parent_path() / "file").string(), "x");
    EXPECT_TRUE(Pictures::keep(written("four"), folder.parent_path() / "file" / "sub", "Night").empty());
    EXPECT_FALSE(std::filesystem::exists(folder.parent_path() / "part.png"));
    std::filesystem::remove_all(folder.parent_path());
}
