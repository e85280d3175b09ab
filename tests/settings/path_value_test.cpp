#include "settings/path_value.h"

#include <gtest/gtest.h>

using namespace skyloom;

TEST(PathValue, foldersComeFromSeparatorsWhateverTheProgramIsCalled) {
    // {path, folderPart ("-": none), parentFolder}
    const char* const cases[][3] = {
        {"/home/p/.wine/drive_c/Sierra/Half-Life/hl.exe", "/home/p/.wine/drive_c/Sierra/Half-Life",
         "/home/p/.wine/drive_c/Sierra/Half-Life/"},
        {"/g/Half-Life/hl_linux", "/g/Half-Life", "/g/Half-Life/"},
        {"/g/Half-Life/hl.sh", "/g/Half-Life", "/g/Half-Life/"},
        {"/g/H L/valve/maps/", "/g/H L/valve/maps", "/g/H L/valve/"},
        {"/g/valve//maps//", "/g/valve//maps", "/g/valve/"},
        {"/g/jeux/\xC3\xA9t\xC3\xA9/maps", "/g/jeux/\xC3\xA9t\xC3\xA9",
         "/g/jeux/\xC3\xA9t\xC3\xA9/"},
        {"valve/maps", "valve", "valve/"},
        {"/hl.exe", "/", "/"},
        {"//hl.exe", "/", "/"},
        {"/", "/", ""},
        {"hl.exe", "-", ""},
        {"error", "-", ""},
        {"", "-", ""},
    };
    for (const auto& [path, folder, parent] : cases) {
        EXPECT_EQ(folderPart(path).value_or("-"), folder) << path;
        EXPECT_EQ(parentFolder(path), parent) << path;
    }
}
