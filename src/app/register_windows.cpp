#include "app/register_windows.h"

#include "about/about_window.h"
#include "about/secret_window.h"
#include "advanced/advanced_launcher.h"
#include "connect/connection_tool.h"
#include "deathmatch/deathmatch_maker.h"
#include "demo_window/demo_window.h"
#include "launcher/main_window.h"
#include "setup/register_setup_windows.h"
#include "splash/splash_window.h"

namespace skyloom {

void registerWindows(const AppContext& context) {
    WindowRegistry& w = context.windows;
    w.add(QStringLiteral("splash"), [context] { return new SplashWindow(context); });
    w.add(QStringLiteral("sp"), [context] { return new MainWindow(context); });
    w.add(QStringLiteral("DM"), [context] { return new DeathmatchMaker(context); });
    w.add(QStringLiteral("frmAdvanced"), [context] { return new AdvancedLauncher(context); });
    registerSetupWindows(context);
    w.add(QStringLiteral("connect"), [context] { return new ConnectionTool(context); });
    w.add(QStringLiteral("frmAbout"), [context] { return new AboutWindow(context); });
    w.add(QStringLiteral("demos"), [context] { return new DemoWindow(context); });
    w.add(QStringLiteral("secret"), [context] { return new SecretWindow(context); });
}

}  // namespace skyloom
