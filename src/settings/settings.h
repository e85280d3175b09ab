#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/profile_file.h"

namespace skyloom {

// The settings file `skyloom.ini`. Holds only its path: every read goes to the file at that
// moment, so a value written by one window is what the next read sees.
class Settings {
public:
    // `chosen`: the file was named on the command line (--settings), not found by the program.
    explicit Settings(std::string filePath, bool chosen = false);

    const std::string& filePath() const { return file_; }
    // Named by --settings: whatever starts this Skyloom again must name it too.
    bool chosen() const { return chosen_; }
    // The program's very first start: no settings file where it looks for one by itself.
    bool firstStart() const;

    std::string read(std::string_view section, std::string_view key, std::string_view def,
                     std::int32_t max) const;

    // A path of section GAMEDIR (`program`, `maps`, `tfcmaps`, `valve`, `tfcdir`, `dds`), whole:
    // a Wine or Steam path cut to a buffer names another file, and a window that wrote back what
    // it read would lose the rest for good.
    std::string readPath(std::string_view key, std::string_view def) const;

    // The whole file's text at this moment; empty when it cannot be read.
    std::string text() const { return readProfileText(file_); }

    // Writes one value; an empty optional removes the key.
    ProfileWriteResult write(std::string_view section, std::string_view key,
                             std::optional<std::string_view> value) const;
    // Writes values that belong together in one replace of the file: all of them or none.
    ProfileWriteResult write(const std::vector<ProfileChange>& changes) const;
    // Values chosen from the file's text under the lock (see updateProfileValues).
    ProfileWriteResult update(
        const std::function<std::vector<ProfileChange>(std::string_view text)>& changesFor) const;

    // True the first time it is asked: a problem with the file is reported once per start.
    bool firstProblemReport() const { return !std::exchange(problemReported_, true); }

private:
    std::string file_;
    bool chosen_ = false;
    mutable bool problemReported_ = false;
};

}  // namespace skyloom
