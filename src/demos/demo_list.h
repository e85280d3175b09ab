#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "demos/demo_file.h"

namespace skyloom {

// Where the demos of the game type chosen in the main window lie: the game's folder and the mod
// folder the game is started with ("valve" for Half-Life, "tfc", or the custom folder).
struct DemoPlace {
    std::string gameFolder;
    std::string mod;
    bool operator==(const DemoPlace&) const = default;
};

// A window that lists the demos of a place it is handed.
class DemoPlaceTaker {
public:
    virtual ~DemoPlaceTaker() = default;
    virtual void listDemosOf(const DemoPlace& place) = 0;
};

// The folders listed, subfolders included: the mod's, and for Half-Life also its download
// folder, which the game searches too. Empty when the place names no folder.
std::vector<std::string> demoFolders(const DemoPlace& place);

struct DemoFile {
    std::string path;
    std::string name;  // relative to its mod folder, as the console finds it
    uint64_t size = 0;
    int64_t time = 0;  // modified, seconds since 1970
    DemoReading reading;
};

// Every `.dem` file (any case) below the place's folders, newest first, each read as far as its
// header and directory. Stops early, returning what it has, once `stop` says so.
std::vector<DemoFile> listDemos(const DemoPlace& place, const std::function<bool()>& stop = {});

// A walk that never ends on a looping or hostile tree: this deep, this many files at most.
inline constexpr int kMaxDemoDepth = 8;
inline constexpr size_t kMaxDemoFiles = 20000;

// The name `playdemo` and `viewdemo` are given: the file's name relative to its mod folder, its
// ".dem" left out when it is written so (the console adds that one).
std::string consoleDemoName(const std::string& name);

}  // namespace skyloom
