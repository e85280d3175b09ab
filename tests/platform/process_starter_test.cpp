#include "platform/process_starter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace skyloom;

class ProcessStarterTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString game;
    const QString original = QDir::currentPath();
    int runs = 0;

    // The log that the stand-in game writes beside itself, once complete (empty after 10 s).
    QByteArray log() {
        for (int i = 0; i < 200; ++i, QTest::qWait(50)) {
            QFile f(game + "/hl.log");
            if (!f.open(QIODevice::ReadOnly)) continue;
            const QByteArray text = f.readAll();
            if (text.endsWith("--\n")) return text;
        }
        return {};
    }

private slots:
    void init() {
        QDir::setCurrent(original);
        game = dir.path() + "/Half Life " + QString::number(runs++);
        QVERIFY(QDir().mkpath(game));
        QFile f(game + "/hl.exe");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(
            "#!/bin/sh\n{ printf 'cwd=%s\\n' \"$PWD\"; for a in \"$@\"; do printf 'arg=%s\\n' "
            "\"$a\"; done; printf -- '--\\n'; } >> \"$(dirname \"$0\")/hl.log\"\n");
        f.setPermissions(f.permissions() | QFile::ExeOwner);
    }
    // The game's output goes here, never to the real home's state folder.
    void initTestCase() { qputenv("XDG_STATE_HOME", (dir.path() + "/state").toUtf8()); }
    void cleanupTestCase() { QDir::setCurrent(original); }

    void bareName_startsInTheWorkingFolder_shellCharactersRunNothing() {
        StartResult r =
            ProcessStarter().StartGame({"hl.exe", "+map x; touch pwned $(touch pwned2)"},
                                       game.toStdString(), WindowState::Maximized);
        QVERIFY2(r.ok, r.reason.c_str());
        QCOMPARE(QDir::currentPath(), game);  // the folder stays the game's
        QCOMPARE(log(), "cwd=" + game.toUtf8() +
                            "\narg=+map\narg=x;\narg=touch\narg=pwned\narg=$(touch\n"
                            "arg=pwned2)\n--\n");
        QVERIFY(!QFile::exists(game + "/pwned") && !QFile::exists(game + "/pwned2"));
    }

    // The program is one argument even when a shorter prefix of it is a program too, and every
    // argument keeps its bytes.
    void fullPathWithBlanks_startsWholeAndArgumentsKeepTheirBytes() {
        const QString prefix = game.left(game.lastIndexOf(' '));  // ".../Half"
        QFile decoy(prefix);
        QVERIFY(decoy.open(QIODevice::WriteOnly));
        decoy.write("#!/bin/sh\ntouch \"$0.ran\"\n");
        decoy.setPermissions(decoy.permissions() | QFile::ExeOwner);
        decoy.close();
        const StartResult r = ProcessStarter().StartGame(
            {(game + "/hl.exe").toStdString(), "-console +map caf\xE9"}, std::nullopt,
            WindowState::Minimized);
        QVERIFY2(r.ok, r.reason.c_str());
        QCOMPARE(QDir::currentPath(), original);
        QCOMPARE(log(), "cwd=" + original.toUtf8() + "\narg=-console\narg=+map\narg=caf\xE9\n--\n");
        QVERIFY(!QFile::exists(prefix + ".ran"));
        QFile::remove(prefix);
    }

    void refusedStarts_sayWhy() {
        for (const char* gone : {"/gone", ""}) {  // a missing folder, then a plain file
            const StartResult r = ProcessStarter().StartGame(
                {"hl.exe", "-console"}, (game + gone).toStdString(), WindowState::Maximized);
            QVERIFY2(!r.ok && r.program == "hl.exe" &&
                         r.reason.find(*gone ? "does not exist" : "The file is not executable.") !=
                             std::string::npos,
                     r.reason.c_str());
            QFile(game + "/hl.exe").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    // A program that fails within seconds is told with its status and last lines, which the log
    // in the state folder keeps; one that ends well is not.
    void programsThatEndAtOnce_areToldWithTheirOutput() {
        const std::pair<const char*, const char*> cases[] = {
            {"echo one; echo two >&2; exit 3", "exit status 3|one\ntwo"},
            {"echo bye; kill -SEGV $$", "signal 11 (Segmentation fault)|bye"},
            {"echo fine", ""},
        };
        for (const auto& [script, told] : cases) {
            QFile f(game + "/hl.exe");
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray("#!/bin/sh\n") + script + "\n");
            f.close();
            std::vector<GameEnded> ended;
            ProcessStarter starter([&](const GameEnded& e) { ended.push_back(e); });
            QVERIFY(starter.StartGame({"hl.exe", ""}, game.toStdString(), WindowState::Normal).ok);
            QTest::qWait(1500);
            QCOMPARE(ended.size(), size_t(*told ? 1 : 0));
            if (ended.empty()) continue;
            QCOMPARE(ended[0].status + "|" + ended[0].lastLines, std::string(told));
            QCOMPARE(ended[0].log, (dir.path() + "/state/skyloom/game.log").toStdString());
        }
    }

    // A Windows program inside a prefix runs through wine with WINEPREFIX; a game in a Steam
    // library, without a Steam client on PATH, through steam.sh of the root listing the library.
    void installs_startWithWhatTheyNeed() {
        const QString root = dir.path() + "/installs", bin = root + "/bin";
        const QString prefix = root + "/pfx", wineGame = prefix + "/drive_c/Games/Half-Life";
        const QString steamRoot = root + "/.local/share/Steam",
                      steamGame = root + "/lib/SteamApps/common/HL";
        for (const QString& folder : {bin, wineGame, steamGame, steamRoot + "/config"})
            QVERIFY(QDir().mkpath(folder));
        const QByteArray standIn =
            "#!/bin/sh\n{ printf '%s|%s|%s|%s' \"$PWD\" \"$WINEPREFIX\" \"$SteamAppId\" \"$*\"; "
            "printf -- '\\n--\\n'; } >> '" +
            root.toUtf8() + "/log'\n";
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
            f.setPermissions(f.permissions() | QFile::ExeOwner);
        };
        write(bin + "/wine", standIn);
        write(steamRoot + "/steam.sh", standIn);
        write(steamRoot + "/config/libraryfolders.vdf",
              "libraryfolders { 1 \"" + root.toUtf8() + "/lib\" }");
        write(root + "/lib/SteamApps/appmanifest_70.acf",
              "AppState { StateFlags 4 installdir HL }");
        write(steamGame + "/hl_linux", "");
        write(wineGame + "/hl.exe", "MZ\x90");
        const QByteArray path = qgetenv("PATH"), home = qgetenv("HOME");
        qputenv("PATH", bin.toUtf8());
        qputenv("HOME", root.toUtf8());  // installs are looked for here, not in the real home
        ProcessStarter starter;
        QVERIFY(starter
                    .StartGame({"hl.exe", "-console"}, wineGame.toStdString(),
                               WindowState::Maximized)
                    .ok);
        const StartResult steam = starter.StartGame({(steamGame + "/hl_linux").toStdString(),
                                                     "-console"},
                                                    std::nullopt, WindowState::Maximized);
        qputenv("PATH", path);
        qputenv("HOME", home);
        QVERIFY(steam.ok);
        QCOMPARE(steam.tried, (steamRoot + "/steam.sh -applaunch 70 -console").toStdString());
        const auto logged = [&] {
            QFile f(root + "/log");
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        QTRY_COMPARE(logged().count("\n--\n"), 2);
        QStringList lines = logged().split("\n--\n", Qt::SkipEmptyParts);
        lines.sort();  // the two start independently
        QCOMPARE(lines,
                 QStringList({wineGame + "|" + prefix + "||" + wineGame + "/hl.exe -console",
                              wineGame + "|||-applaunch 70 -console"}));
    }
};

QTEST_GUILESS_MAIN(ProcessStarterTest)
#include "process_starter_test.moc"
