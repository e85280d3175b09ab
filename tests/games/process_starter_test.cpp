#include "games/process_starter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <chrono>
#include <map>

using namespace skyloom;

class ProcessStarterTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString game;
    const QString original = QDir::currentPath();
    int runs = 0;

    static void program(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    // What stand-in programs wrote to `path`, once `entries` are complete (empty after 10 s).
    static QByteArray log(const QString& path, int entries = 1) {
        for (int i = 0; i < 200; ++i, QTest::qWait(50)) {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) continue;
            const QByteArray text = f.readAll();
            if (text.count("--\n") == entries && text.endsWith("--\n")) return text;
        }
        return {};
    }

private slots:
    void init() {
        game = dir.path() + "/Half Life " + QString::number(runs++);
        program(game + "/hl.exe",
                "#!/bin/sh\n{ printf 'cwd=%s\\n' \"$PWD\"; for a in \"$@\"; do printf 'arg=%s\\n' "
                "\"$a\"; done; printf -- '--\\n'; } >> \"$(dirname \"$0\")/hl.log\"\n");
    }
    // The game's output goes here, never to the real home's state folder.
    void initTestCase() { qputenv("XDG_STATE_HOME", (dir.path() + "/state").toUtf8()); }

    // One argument for a program with blanks, arguments kept byte for byte, no shell between,
    // started in the game's folder while Skyloom's own stays; the log is headed by the command,
    // its secret masked by its place.
    void starts_wholeWithItsArgumentsAndFolderAndThroughWine() {
        const QString prefix = game.left(game.lastIndexOf(' '));  // ".../Half"
        program(prefix, "#!/bin/sh\ntouch \"$0.ran\"\n");
        const std::string hl = (game + "/hl.exe").toStdString();
        const struct {
            std::vector<std::string> arguments;
            std::vector<std::size_t> secret;
            QByteArray logged;
            std::string head;
        } cases[] = {
            {{"-console", "+map", "caf\xE9"},
             {2},
             "arg=-console\narg=+map\narg=caf\xE9\n--\n",
             "-console +map ********"},
            {{"+map", "x;", "touch", "pwned $(touch pwned2)", ""},
             {},
             "arg=+map\narg=x;\narg=touch\narg=pwned $(touch pwned2)\narg=\n--\n",
             "+map x; touch \"pwned $(touch pwned2)\" \"\""},
        };
        for (const auto& c : cases) {
            QFile::remove(game + "/hl.log");
            const StartResult r =
                ProcessStarter({}).StartGame({hl, c.arguments, game.toStdString(), c.secret});
            QVERIFY2(r.ok, r.reason.c_str());
            QCOMPARE(QDir::currentPath(), original);
            QCOMPARE(log(game + "/hl.log"), "cwd=" + game.toUtf8() + "\n" + c.logged);
            const std::string head = "Started: \"" + hl + "\" " + c.head + "\n";
            QFile written(dir.path() + "/state/skyloom/game.log");
            QVERIFY(written.open(QIODevice::ReadOnly));
            QCOMPARE(written.readAll().toStdString(), head);
        }
        QVERIFY(!QFile::exists(prefix + ".ran"));
        QVERIFY(!QFile::exists(game + "/pwned") && !QFile::exists(game + "/pwned2"));
        // A game folder that is gone is refused as missing; a program that is not there is named
        // as the settings hold it, hl.sh as hl.sh.
        const std::pair<GameStart, std::string> refused[] = {
            {{hl, {"-console"}, (game + "/gone").toStdString()},
             "The folder \"" + game.toStdString() + "/gone\" does not exist."},
            {{"/no/hl.sh", {"+deathmatch", "1"}, game.toStdString()}, "No such file."}};
        for (const auto& [start, reason] : refused) {
            const StartResult r = ProcessStarter({}).StartGame(start);
            QVERIFY(!r.ok && r.missing);
            QCOMPARE(r.reason, reason);
            QCOMPARE(r.tried.words.front(), start.program);
        }
        QCOMPARE(QDir::currentPath(), original);
        // A prefix's program runs through wine, with WINEPREFIX set for it.
        const QString bin = dir.path() + "/bin", pfx = dir.path() + "/pfx";
        const QString wineGame = pfx + "/drive_c/Games/Half-Life";
        program(bin + "/wine",
                "#!/bin/sh\nprintf '%s|%s|%s|%s\\n--\\n' \"$PWD\" \"$(tr '\\0' '\\n' < "
                "/proc/$$/environ | grep -m1 ^WINEPREFIX= | cut -d= -f2-)\" \"$SteamAppId\" \"$*\" "
                ">> '" +
                    bin.toUtf8() + "/log'\n");
        program(wineGame + "/hl.exe", "MZ\x90");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.toUtf8() + ":/usr/bin:/bin");
        qputenv("WINEPREFIX", "/the/players/prefix");  // the game's own wins, as getenv reads it
        const StartResult r =
            ProcessStarter({dir.path().toStdString(), ""})
                .StartGame(
                    {(wineGame + "/hl.exe").toStdString(), {"-console"}, wineGame.toStdString()});
        qputenv("PATH", path);
        qunsetenv("WINEPREFIX");
        QVERIFY(r.ok);
        QCOMPARE(log(bin + "/log"),
                 (wineGame + "|" + pfx + "||" + wineGame + "/hl.exe -console\n--\n").toUtf8());
    }

    // A program failing within its first 10 seconds (by the starter's clock) is told with its
    // status and the last lines it wrote; one ending well, or failing once the watch is over, is
    // not.
    void programsThatFailSoon_areToldWithTheirOutput_whichGoesOnlyToAPlainFile() {
        using namespace std::chrono_literals;
        const std::tuple<const char*, std::chrono::milliseconds, const char*> cases[] = {
            {"echo one; echo two >&2; exit 3", 0ms, "exit status 3|one\ntwo"},
            // Read through the game's own descriptor, not a link put at the log's name.
            {"echo one; ln -sf \"$0\" \"$XDG_STATE_HOME/skyloom/game.log\"; exit 3", 0ms,
             "exit status 3|one"},
            {"echo bye; sleep 0.3; kill -SEGV $$", 9000ms, "signal 11 (Segmentation fault)|bye"},
            {"touch done", 0ms, ""},
            {"sleep 0.3; touch done; exit 4", 10000ms, ""},
        };
        for (const auto& [script, after, told] : cases) {
            program(game + "/hl.exe", QByteArray("#!/bin/sh\n") + script + "\n");
            QFile::remove(game + "/done");
            QFile::remove(dir.path() + "/state/skyloom/game.log");  // a link left by a row
            std::vector<GameEnded> ended;
            ProcessStarter starter({}, [&](const GameEnded& e) { ended.push_back(e); });
            std::chrono::steady_clock::time_point now{};
            starter.clock = [&] { return now; };
            const StartResult r =
                starter.StartGame({(game + "/hl.exe").toStdString(), {}, game.toStdString()});
            now += after;
            QCOMPARE(r.output, "The game's output goes to " + dir.path().toStdString() +
                                   "/state/skyloom/game.log.");
            if (*told) {
                QTRY_COMPARE(ended.size(), size_t(1));
            } else {
                QTRY_VERIFY(QFile::exists(game + "/done"));
                QTest::qWait(300);
                QVERIFY(ended.empty());
            }
            if (ended.empty()) continue;
            QCOMPARE(ended[0].status + "|" + ended[0].lastLines, std::string(told));
            QCOMPARE(ended[0].log, (dir.path() + "/state/skyloom/game.log").toStdString());
        }
        // The log is only ever a plain file of its own: a link or a second name of another file
        // there is left as it is, the game starts all the same with its output going nowhere, and
        // the result says why. The game inherits no descriptor but the standard three.
        const QString state = dir.path() + "/state/skyloom", log = state + "/game.log";
        const QString other = dir.path() + "/other";
        const std::string notKept =
            "The game's output is not kept: " + log.toStdString() + " could not be written (";
        const std::pair<std::function<void()>, std::string> rows[] = {
            {[&] { QFile::link(other, log); }, notKept + "it is a symbolic link)."},
            {[&] { ::link(other.toUtf8(), log.toUtf8()); },
             notKept + "it is a hard link to another file)."},
            {[&] { program(log, "old lines\n"); },
             "The game's output goes to " + log.toStdString() + "."},
        };
        program(game + "/hl.exe",
                "#!/bin/sh\necho out; ls -l /proc/self/fd > \"$(dirname \"$0\")/fds\"\n");
        for (const auto& [make, output] : rows) {
            QDir(state).removeRecursively();
            QDir().mkpath(state);
            program(other, "keep");
            make();
            // Not close-on-exec, at 3, 4 and 50; what this process held there comes back after.
            const int open = ::open(other.toUtf8(), O_RDONLY);
            std::map<int, int> held;  // the descriptor and a copy of what it held, or -1
            for (const int fd : {3, 4, 50}) held[fd] = ::fcntl(fd, F_DUPFD_CLOEXEC, 100);
            for (const auto& [fd, copy] : held) ::dup2(open, fd);
            QFile::remove(game + "/fds");
            const StartResult r = ProcessStarter({}).StartGame(
                {(game + "/hl.exe").toStdString(), {}, game.toStdString()});
            for (const auto& [fd, copy] : held) {
                if (copy >= 0) ::dup3(copy, fd, O_CLOEXEC);
                ::close(copy >= 0 ? copy : fd);
            }
            ::close(open);
            QVERIFY2(r.ok, r.reason.c_str());
            QCOMPARE(r.output, output);
            QTRY_VERIFY(QFile::exists(game + "/fds"));
            QTest::qWait(100);
            QFile fds(game + "/fds");
            QVERIFY(fds.open(QIODevice::ReadOnly) && !fds.readAll().contains("/other"));
            QFile kept(other);
            QVERIFY(kept.open(QIODevice::ReadOnly) && kept.readAll() == "keep");
            QFile written(log);
            if (output.find("goes to") != std::string::npos)
                QVERIFY(written.open(QIODevice::ReadOnly) &&
                        written.readAll().endsWith("/hl.exe\"\nout\n"));
        }
    }
};

QTEST_GUILESS_MAIN(ProcessStarterTest)
#include "process_starter_test.moc"
