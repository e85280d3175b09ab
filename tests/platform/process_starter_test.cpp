#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/process_starter.h"

using namespace skyloom;

namespace {

// A stand-in game: logs its working folder and arguments beside itself.
void writeStandIn(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n{ printf 'cwd=%s\\n' \"$PWD\"; for a in \"$@\"; do printf 'arg=%s\\n' \"$a\"; "
            "done; printf -- '--\\n'; } >> \"$(dirname \"$0\")/hl.log\"\n");
    f.close();
    f.setPermissions(f.permissions() | QFile::ExeOwner);
}

// The log once the detached game has finished writing it (empty after ten seconds).
QString waitForLog(const QString& path) {
    for (int i = 0; i < 200; ++i) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QString text = QString::fromUtf8(f.readAll());
            if (text.endsWith("--\n")) return text;
        }
        QTest::qWait(50);
    }
    return {};
}

}  // namespace

class ProcessStarterTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString game;
    QString original = QDir::currentPath();

private slots:
    void init() {
        QDir::setCurrent(original);
        game = dir.path() + "/Half Life " + QString::number(runs++);
        QVERIFY(QDir().mkpath(game));
        writeStandIn(game + "/hl.exe");
    }
    void cleanupTestCase() { QDir::setCurrent(original); }

    void bareNameStartsInTheWorkingFolder() {
        ProcessStarter starter;
        StartResult r = starter.StartGame("hl.exe +deathmatch 1 +map crossfire -console",
                                          game.toStdString(), WindowState::Maximized);
        QVERIFY2(r.ok, r.reason.c_str());
        QCOMPARE(QDir::currentPath(), game);  // the current folder stays the game folder
        QCOMPARE(waitForLog(game + "/hl.log"), "cwd=" + game +
                                                   "\narg=+deathmatch\narg=1\narg=+map\n"
                                                   "arg=crossfire\narg=-console\n--\n");
    }

    void fullPathWithBlanksStartsWithoutChangingFolder() {
        ProcessStarter starter;
        StartResult r = starter.StartGame((game + "/hl.exe -console +connect 10.0.0.1:27015").toStdString(),
                                          std::nullopt, WindowState::Maximized);
        QVERIFY2(r.ok, r.reason.c_str());
        QCOMPARE(QDir::currentPath(), original);
        QCOMPARE(waitForLog(game + "/hl.log"),
                 "cwd=" + original + "\narg=-console\narg=+connect\narg=10.0.0.1:27015\n--\n");
    }

    void shellCharactersRunNothing() {
        ProcessStarter starter;
        StartResult r = starter.StartGame("hl.exe +map x; touch pwned $(touch pwned2)",
                                          game.toStdString(), WindowState::Maximized);
        QVERIFY(r.ok);
        QCOMPARE(waitForLog(game + "/hl.log"),
                 "cwd=" + game + "\narg=+map\narg=x;\narg=touch\narg=pwned\narg=$(touch\narg=pwned2)\n--\n");
        QVERIFY(!QFile::exists(game + "/pwned"));
        QVERIFY(!QFile::exists(game + "/pwned2"));
    }

    void refusedStartsSayWhy_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no such file") << "missing" << "No such file.";
        QTest::newRow("not executable") << "plain" << "The file is not executable.";
        QTest::newRow("windows program, no wine") << "mz" << "It is a Windows program and wine was not found on PATH.";
        QTest::newRow("missing folder") << "nofolder" << "does not exist";
    }
    void refusedStartsSayWhy() {
        QFETCH(QString, setup);
        QFETCH(QString, reason);
        QString folder = game;
        if (setup == "missing") QFile::remove(game + "/hl.exe");
        if (setup == "plain") QFile(game + "/hl.exe").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (setup == "mz") {
            QFile f(game + "/hl.exe");
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write("MZ\x90\x00");
        }
        if (setup == "nofolder") folder = game + "/gone";
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        ProcessStarter starter;
        StartResult r = starter.StartGame("hl.exe -console", folder.toStdString(), WindowState::Maximized);
        qputenv("PATH", path);
        QVERIFY(!r.ok);
        QCOMPARE(QString::fromStdString(r.program), QString("hl.exe"));
        QVERIFY2(QString::fromStdString(r.reason).contains(reason), r.reason.c_str());
    }

private:
    int runs = 0;
};

QTEST_GUILESS_MAIN(ProcessStarterTest)
#include "process_starter_test.moc"
