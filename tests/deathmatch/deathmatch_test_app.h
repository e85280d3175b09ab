#pragma once

#include <QtTest>
#include <memory>

#include "deathmatch/deathmatch_maker.h"
#include "test_app.h"
#include "ui_deathmatch_maker.h"

namespace skyloom::test {

// A program whose settings point at a game in its temporary folder: `valve/` with a few maps.
struct DeathmatchApp {
    std::unique_ptr<TestApp> app = std::make_unique<TestApp>();
    std::string valve = app->makeFolder("valve") + "/";
    std::string maps = app->makeFolder("valve/maps", {"crossfire.bsp", "Arena.BSP", "readme.txt"});
    std::string program = app->folder() + "/Half Life/hl.exe";

    // The settings file as a finished first use leaves it, followed by `extra`.
    std::string configuredIni(const std::string& extra = {}) const {
        return "[MISC]\r\ntfc=true\r\n[GAMEDIR]\r\nprogram=" + program + "\r\nmaps=" + maps +
               "\r\nvalve=" + valve + "\r\n" + extra;
    }

    DeathmatchMaker* open(const std::string& ini) {
        app->writeIni(ini);
        return qobject_cast<DeathmatchMaker*>(app->windows.show("DM"));
    }
    DeathmatchMaker* open() { return open(configuredIni()); }

    std::string serverFile() const { return readFile(valve + "skyloom.cfg"); }
    const std::vector<FakeDesktop::Message>& messages() const { return app->desktop.messages; }
};

}  // namespace skyloom::test
