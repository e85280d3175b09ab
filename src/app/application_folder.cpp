#include "app/application_folder.h"

#include <QCoreApplication>

#include "platform/program_info.h"
#include "platform/settings_place.h"

namespace skyloom {

std::string applicationFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string settingsFile(const std::optional<std::string>& chosenFile) {
    return settingsFilePath(settingsPlaceFacts(applicationFolder(), chosenFile, kInstallBinFolder));
}

}  // namespace skyloom
