#include "platform/map_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace skyloom;
namespace fs = std::filesystem;

TEST(MapFiles, listsLoadableBspFilesOfAnyCaseSortedByName) {
    const fs::path dir = fs::temp_directory_path() / ("skyloom-maps-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.bsp");
    for (auto name :
         {"crossfire.bsp", "Bounce.BSP", "boot_camp.bsp", "readme.txt", "x.bspx", ".bsp",
          "stalkyard.Bsp", "a.bsp.bak", "x +exec evil.bsp", "a;b.bsp", "q\"t.bsp"})
        std::ofstream(dir / name) << "";
    fs::create_symlink(dir / "crossfire.bsp", dir / "linked.bsp");

    EXPECT_EQ(listMapFiles(dir.string()),
              (std::vector<std::string>{"boot_camp.bsp", "Bounce.BSP", "crossfire.bsp",
                                        "linked.bsp", "stalkyard.Bsp"}));
    fs::remove_all(dir);
}

TEST(MapFiles, missingOrUnusableFolderGivesAnEmptyList) {
    EXPECT_TRUE(listMapFiles("error").empty());
    EXPECT_TRUE(listMapFiles("").empty());
    EXPECT_TRUE(listMapFiles("/nonexistent/skyloom/maps").empty());
    EXPECT_TRUE(listMapFiles("/etc/hostname").empty());
}
