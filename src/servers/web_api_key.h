#pragma once

#include <QString>
#include <functional>

class QObject;

namespace skyloom {

// The player's Steam Web API key, kept in the desktop's secret store, never in skyloom.ini.
// Both calls answer on the event loop; `context` going away drops the answer.
void readWebApiKey(QObject* context, std::function<void(const QString& key)> done);
// An empty key removes it. `done` says whether the store took it.
void writeWebApiKey(QObject* context, const QString& key, std::function<void(bool ok)> done);

}  // namespace skyloom
