#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

#include "servers/master_client.h"
#include "servers/master_server.h"

class QNetworkAccessManager;
class QNetworkReply;
class QThread;
class QTimer;

namespace skyloom {

// The same list through Steam's Web API, for players with a key of their own: one HTTP GET of
// IGameServersService/GetServerList/v1, its JSON `response.servers[].addr` read as the master's
// entries.

inline constexpr std::size_t kMaxWebApiAnswer = 32 * 1024 * 1024;

// The servers' addresses; nothing when the text is not such an answer. Entries that name no IPv4
// address and port are left out. Reads the text once without building it as a tree, so a list
// of the largest size costs little more than its text.
std::optional<std::vector<MasterEntry>> parseWebApiServers(std::string_view json);

// The address asked, the key and filter encoded into its query.
QString webApiAddress(const QString& base, const QString& key, const std::string& filter,
                      int limit);

class WebApiClient final : public QObject {
    Q_OBJECT
public:
    // `timeoutMs`: the longest silence; `deadlineMs`: the longest the whole answer may take.
    WebApiClient(int timeoutMs, int deadlineMs, QObject* parent = nullptr);
    ~WebApiClient() override;

    // Starts again; a list still arriving is dropped.
    void fetch(const QString& base, const QString& key, const std::string& filter);
    void cancel();  // without a word

    static constexpr qint64 kMaxAnswer = qint64{kMaxWebApiAnswer};
    static constexpr int kLimit = 20000;

signals:
    void listed(const std::vector<skyloom::MasterEntry>& servers);
    void finished(const skyloom::ListOutcome& outcome);

private:
    void take(QNetworkReply* reply);
    void arrived(QNetworkReply* reply);
    void parsed(const std::optional<std::vector<MasterEntry>>& servers);

    int timeoutMs_;
    QTimer* deadline_;
    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
    bool tooLong_ = false;
    QString source_;
    std::optional<std::uint32_t> sourceIp_;
    quint64 serial_ = 0;
    std::vector<QThread*> parsers_;  // still reading an answer, maybe one no longer wanted
};

}  // namespace skyloom
