#include "settings/settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <thread>

#include "fuzz.h"
#include "platform/atomic_file.h"
#include "settings/get_pps.h"
#include "settings/profile_encoding.h"
#include "settings/profile_file.h"
#include "temp_folder.h"
#include "without_root_file_access.h"

using namespace skyloom;
namespace fs = std::filesystem;

TEST(ProfileText, readsWindowsFilesWithAnyCaseCommentsAndQuotesAndWritesOnlyTheirLine) {
    const std::string text =
        "; by hand\r\n\r\n[gamedir]\r\n  Program =  C:\\hl\\hl.exe  \r\n"
        "maps=\"C:\\Half Life\\maps\"\r\nt='x'\r\nodd=\"unbalanced\r\nempty=\r\nnoequals\r\n"
        "[ MISC ]\r\nuser=a = b\r\n[A]\r\nk=1\r\nk=2\r\n[a]\r\nj=3\r\n";
    const std::pair<std::pair<const char*, const char*>, std::optional<std::string>> cases[] = {
        {{"GAMEDIR", "program"}, "C:\\hl\\hl.exe"},
        {{"GameDir", "MAPS"}, "C:\\Half Life\\maps"},
        {{"gamedir", "t"}, "x"},
        {{"GAMEDIR", "odd"}, "\"unbalanced"},
        {{"GAMEDIR", "empty"}, ""},
        {{"GAMEDIR", "noequals"}, std::nullopt},
        {{"MISC", "user"}, "a = b"},
        {{"MISC", "program"}, std::nullopt},
        {{"NONE", "user"}, std::nullopt},
        {{"a", "k"}, "1"},  // the first section and key count
        {{"A", "j"}, std::nullopt}};
    for (const auto& [where, expected] : cases)
        EXPECT_EQ(findProfileValue(text, where.first, where.second), expected) << where.second;
    // Writes change only their line.
    const std::string t = "[MISC]\r\nfirstuse=yes\r\n; keep\r\n\r\n[OTHER]\r\nx = 1\r\n";
    EXPECT_EQ(setProfileValue(t, "misc", "FIRSTUSE", "no", "\r\n"),
              "[MISC]\r\nfirstuse=no\r\n; keep\r\n\r\n[OTHER]\r\nx = 1\r\n");
    EXPECT_EQ(setProfileValue(t, "MISC", "user", "G", "\r\n"),
              "[MISC]\r\nfirstuse=yes\r\n; keep\r\nuser=G\r\n\r\n[OTHER]\r\nx = 1\r\n");
    EXPECT_EQ(setProfileValue(t, "NEW", "k", "v", "\r\n"), t + "[NEW]\r\nk=v\r\n");
    EXPECT_EQ(setProfileValue(t, "OTHER", "x", std::nullopt, "\r\n"),
              "[MISC]\r\nfirstuse=yes\r\n; keep\r\n\r\n[OTHER]\r\n");
    EXPECT_EQ(setProfileValue(t, "OTHER", "none", std::nullopt, "\r\n"), t);
    EXPECT_EQ(setProfileValue("[M]\nu=a", "M", "c", "b", "\n"), "[M]\nu=a\nc=b\n");
    EXPECT_EQ(setProfileValue("[M]\ru=a\r", "N", "c", "b", "\r"), "[M]\ru=a\r[N]\rc=b\r");
    // A lone CR before the removed line and an LF after it must not meet as one line break.
    EXPECT_EQ(setProfileValue("[M]\r\ru=a\n\nz=1", "M", "u", std::nullopt, "\n"), "[M]\r\r\n\nz=1");
    // Every copy of a removed key goes, or the next would be read in its place.
    EXPECT_EQ(setProfileValue("[M]\nu=a\nU = b\n[m]\nu=c\n", "m", "u", std::nullopt, "\n"),
              "[M]\n[m]\nu=c\n");
}

// Bytes of a UTF-16 file with its mark, from a literal the compiler encodes.
std::string utf16(std::u16string_view text, bool bigEndian = false) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t c : text) {
        const char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

class ProfileFileTest : public ::testing::Test {
protected:
    void put(const std::string& bytes) { test::writeFile(file, bytes); }
    std::string get() const { return test::readFile(file); }
    void write(const char* section, const char* key, std::optional<std::string_view> v) {
        ASSERT_TRUE(writeProfileValue(file, section, key, v).ok);
    }

    const test::TempFolder folder;
    const fs::path dir = folder.path;
    const std::string file = (dir / "skyloom.ini").string();
};

TEST_F(ProfileFileTest, readingCreatesNothingAndAFileKeepsItsLineEndsAndEncoding) {
    EXPECT_EQ(GetPPS("MISC", "firstuse", "error", 100, file), "error");
    write("MISC", "tfc", std::nullopt);
    EXPECT_FALSE(fs::exists(file));
    write("MISC", "firstuse", "no");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    write("MISC", "user", "a");
    EXPECT_EQ(get(), "[MISC]\nfirstuse=no\nuser=a\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    // A file that is there keeps its mark, line ends and UTF-16.
    const struct {
        const char* name;
        std::string before, after;  // after writing tfc=true
    } cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF[MISC]\r\nuser=\xC3\xA9\r\n",
         "\xEF\xBB\xBF[MISC]\r\nuser=\xC3\xA9\r\ntfc=true\r\n"},
        {"lone CR", "[MISC]\ruser=\xC3\xA9\r[GAMEDIR]\rmaps=m",
         "[MISC]\ruser=\xC3\xA9\rtfc=true\r[GAMEDIR]\rmaps=m"},
        {"UTF-16LE", utf16(u"[MISC]\r\nuser=\u00e9\r\n"),
         utf16(u"[MISC]\r\nuser=\u00e9\r\ntfc=true\r\n")},
        {"UTF-16BE", utf16(u"[MISC]\nuser=\u00e9", true),
         utf16(u"[MISC]\nuser=\u00e9\ntfc=true\n", true)},
    };
    for (const auto& c : cases) {
        put(c.before);
        EXPECT_EQ(readProfileValue(file, "MISC", "user"), "\xC3\xA9") << c.name;
        write("MISC", "tfc", "true");
        EXPECT_EQ(get(), c.after) << c.name;
    }
    // Hostile bytes of either kind give errors only.
    test::fuzz({"[M]\r\nu=\"a\"\r\n[G]\rmaps=m\n", utf16(u"[M]\nk=\u00e9")}, 20000,
               [](const std::string& bytes) {
                   const std::string text = decodeProfile(bytes).text;
                   (void)findProfileValue(text, "G", "maps");
                   (void)setProfileValue(text, "M", "u", {}, "\n");
               });
}

std::vector<std::string> durableSteps;  // what the replacement flushed and renamed, in order

int recordedFsync(int fd) {
    struct stat st {};
    ::fstat(fd, &st);
    const fs::path path = fs::read_symlink("/proc/self/fd/" + std::to_string(fd));
    durableSteps.push_back("fsync " + path.string() +
                           (S_ISREG(st.st_mode) ? " " + std::to_string(st.st_size) : ""));
    return ::fsync(fd);
}

// Every refusal leaves the file byte for byte, and is reported with its reason.
TEST_F(ProfileFileTest, refusedWritesLeaveTheFileAsItIsAndAFullOneIsReplacedDurably) {
    const std::string plain = "[MISC]\nuser=a\n";
    std::string oversized = plain;
    oversized.resize(kMaxProfileFileBytes + 1, ';');
    std::string nearlyFull = plain;
    nearlyFull.resize(kMaxProfileFileBytes - 2, ';');
    const std::string utf16Plain = utf16(u"[MISC]\nuser=a\n");
    // Half as many characters as bytes: the limit counts the bytes written, not the text.
    const std::string utf16NearlyFull =
        utf16(u"[MISC]\nuser=a\n" + std::u16string((kMaxProfileFileBytes - 2) / 2 - 14, u';'));
    const auto chmodFile = [&](fs::perms p) { return [&, p] { fs::permissions(file, p); }; };
    const struct {
        const char *name, *section, *key, *value, *reason;
        std::string bytes = "[MISC]\nuser=a\n";
        std::function<void()> arrange = {};
        bool unreadable = false;  // reported as soon as the program starts
    } cases[] = {
        {"forged line", "MISC", "user", "b\n[X]\nprogram=/bin/sh", "line break"},
        {"CR", "MISC", "user", "b\r", "line break"},
        {"] in a section", "MI]SC", "user", "b", "Invalid setting name"},
        {"blank after a section", "MISC ", "user", "b", "Invalid setting"},
        {"= in a key", "MISC", "us=er", "b", "Invalid setting name"},
        {"key read as a comment", "MISC", ";user", "b", "Invalid setting"},
        {"read-only file", "MISC", "user", "b", "read-only", plain,
         chmodFile(fs::perms::owner_read)},
        {"unreadable file", "MISC", "user", "b", "Cannot read", plain,
         chmodFile(fs::perms::owner_write), true},
        {"oversized file", "MISC", "user", "b", "holds 1048577 bytes", oversized, {}, true},
        {"would grow past 1 MiB", "MISC", "user", "a longer value", "would hold 1048587 bytes",
         nearlyFull},
        {"UTF-16 would grow past 1 MiB", "MISC", "user", "a longer value",
         "would hold 1048602 bytes", utf16NearlyFull},
        {"read-only folder", "MISC", "user", "b", "Permission denied", plain,
         [&] { fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec); }},
        {"damaged UTF-16", "MISC", "user", "b", "UTF-16", utf16Plain + "x"},
        {"Latin-1 into UTF-16", "MISC", "user", "caf\xE9", "UTF-16", utf16Plain},
        {"full disk", "MISC", "user", "a value longer than the disk has room for", "File too large",
         plain,
         [] {
             std::signal(SIGXFSZ, SIG_IGN);
             const rlimit small{8, RLIM_INFINITY};
             ::setrlimit(RLIMIT_FSIZE, &small);
         }},
    };
    for (const auto& c : cases) {
        put(c.bytes);
        if (c.arrange) c.arrange();
        ProfileWriteResult r;
        {
            test::WithoutRootFileAccess asAPlayer;
            r = writeProfileValue(file, c.section, c.key, c.value);
            EXPECT_EQ(profileFileProblem(file).has_value(), c.unreadable) << c.name;
            EXPECT_EQ(readProfileValue(file, "MISC", "user").has_value(), !c.unreadable);
        }
        const rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
        ::setrlimit(RLIMIT_FSIZE, &unlimited);
        fs::permissions(dir, fs::perms::owner_all);
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_FALSE(r.ok) << c.name;
        EXPECT_NE(r.reason.find(c.reason), std::string::npos) << c.name << ": " << r.reason;
        EXPECT_EQ(get(), c.bytes) << c.name;
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    }
    // A file of exactly 1 MiB serves. Its replacement reaches the disk whole before it takes the
    // file's name, and the rename itself is flushed after.
    std::string full = "[MISC]\nuser=a\n";
    full.resize(kMaxProfileFileBytes, ';');
    put(full);
    EXPECT_EQ(profileFileProblem(file), std::nullopt);
    const DurableCalls real = durableCalls();
    durableCalls() = {recordedFsync, [](const char* from, const char* to) {
                          durableSteps.push_back(std::string("rename ") + from + " " + to);
                          return ::rename(from, to);
                      }};
    write("MISC", "user", "b");
    durableCalls() = real;
    full[12] = 'b';
    EXPECT_EQ(get(), full);
    const std::string at = fs::canonical(dir).string(), ini = at + "/skyloom.ini";
    EXPECT_EQ(durableSteps,
              (std::vector<std::string>{"fsync " + ini + ".tmp 1048576",
                                        "rename " + file + ".tmp " + file, "fsync " + at}));
    // A folder where the file should be reads as unset and is reported, the reason with it.
    fs::remove(file);
    fs::create_directories(file);
    EXPECT_EQ(GetPPS("MISC", "user", "error", 100, file), "error");
    EXPECT_EQ(profileFileProblem(file), "Cannot read " + file + ": Is a directory");
    EXPECT_EQ(profileFileProblem((dir / "none.ini").string()), std::nullopt);
}

// A change goes to the copy of a key that is read; a new section starts a line of its own.
TEST_F(ProfileFileTest, getPPSCutsTrimsAndDefaultsAsThePlatformBufferDoes) {
    const Settings settings(file);
    const std::string v120(120, 'v');
    put("[GAMEDIR]\r\nprogram=" + v120 + "\r\nmaps=\r\n[MISC]\r\nuser=  Gordon   Freeman  \r\n" +
        "company=\"  Black Mesa \"\r\nclan=ab   cd\r\ncity=Caf\xC3\xA9s\r\nold=Caf\xE9s\r\n" +
        "USER=Eli\r\n[misc]\r\nuser=Kleiner");
    const std::string before = get();
    struct Case {
        const char *section, *key, *def;
        int max;
        std::string expected;
    } cases[] = {
        {"GAMEDIR", "program", "error", 100, v120.substr(0, 99)},
        {"gamedir", "maps", "error", 100, ""},   // present but empty is not the default
        {"GAMEDIR", "none", "error", 4, "err"},  // defaults are cut too
        {"GAMEDIR", "none", "er  ", 100, "er"},  // and lose their trailing blanks
        {"MISC", "user", "error", 100, "Gordon   Freeman"},
        {"MISC", "company", "error", 100, "Black Mesa "},  // quotes kept the trailing blank
        {"MISC", "city", "error", 5, "Caf\xC3\xA9"},       // cuts count characters, not bytes
        {"MISC", "old", "error", 5, "Caf\xE9"},            // a Latin-1 byte is one character
    };
    for (const Case& c : cases)
        EXPECT_EQ(settings.read(c.section, c.key, c.def, c.max), c.expected)
            << c.key << " " << c.max;
    ASSERT_TRUE(settings.write({{"misc", "user", "Barney"}, {"DM", "runconfig", "no"}}).ok);
    std::string after = before + "\r\n[DM]\r\nrunconfig=no\r\n";
    EXPECT_EQ(get(), after.replace(after.find("  Gordon"), 20, "Barney"));
}

// Writers that overlap lose nothing: each one's read, change and replace hold the lock.
TEST_F(ProfileFileTest, overlappingWritersLoseNothing) {
    std::vector<std::thread> writers;
    const auto key = [](int w, int k) { return "k" + std::to_string(w) + "_" + std::to_string(k); };
    for (int w = 0; w < 4; ++w)
        writers.emplace_back([&, w] {
            for (int k = 0; k < 20; ++k)
                EXPECT_TRUE(writeProfileValue(file, "M", key(w, k), "v").ok);
        });
    for (auto& t : writers) t.join();
    for (int w = 0; w < 4; ++w)
        for (int k = 0; k < 20; ++k) EXPECT_EQ(readProfileValue(file, "M", key(w, k)), "v");
}
