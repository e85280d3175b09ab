#include "platform/application_folder.h"

#include <QCoreApplication>

namespace skyloom {

std::string applicationFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

}  // namespace skyloom
