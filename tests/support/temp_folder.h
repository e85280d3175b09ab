#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace skyloom::test {

inline std::string readFile(const std::string& path) {  // empty when it does not exist
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}
inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
// A fresh folder of its own, removed with all it holds, whatever its modes became.
struct TempFolder {
    std::string path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "skyloom-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data()));
    }();
    ~TempFolder() {
        std::filesystem::permissions(path, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(path);
    }
    // Writes a file below the folder, its folders made first; gives its path.
    std::string put(const std::string& relative, const std::string& bytes = {}) const {
        const std::string file = path + "/" + relative;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        writeFile(file, bytes);
        return file;
    }
};

}  // namespace skyloom::test
