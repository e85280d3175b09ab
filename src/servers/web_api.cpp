#include "servers/web_api.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace skyloom {

std::optional<std::vector<MasterEntry>> parseWebApiServers(const QByteArray& json) {
    if (json.size() > WebApiClient::kMaxAnswer) return std::nullopt;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
    const QJsonValue response = doc.object().value(QLatin1String("response"));
    if (!response.isObject()) return std::nullopt;
    // No servers: Steam leaves the array out.
    const QJsonArray servers = response.toObject().value(QLatin1String("servers")).toArray();
    std::vector<MasterEntry> out;
    for (const QJsonValue& s : servers) {
        if (out.size() >= MasterList::kMaxServers) break;
        const auto address = parseServerAddress(
            s.toObject().value(QLatin1String("addr")).toString().toStdString());
        QHostAddress ip;
        if (!address || !ip.setAddress(QString::fromStdString(address->host)) ||
            ip.protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        out.push_back({ip.toIPv4Address(), address->port});
    }
    return out;
}

QString webApiAddress(const QString& base, const QString& key, const std::string& filter,
                      int limit) {
    QString b = base;
    while (b.endsWith(QLatin1Char('/'))) b.chop(1);
    return b + QLatin1String("/IGameServersService/GetServerList/v1/?key=") +
           QString::fromLatin1(QUrl::toPercentEncoding(key)) + QLatin1String("&filter=") +
           QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(filter))) +
           QLatin1String("&limit=") + QString::number(limit);
}

WebApiClient::WebApiClient(int timeoutMs, QObject* parent)
    : QObject(parent), timeoutMs_(timeoutMs), network_(new QNetworkAccessManager(this)) {}

WebApiClient::~WebApiClient() {
    if (reply_) reply_->abort();
}

void WebApiClient::cancel() {
    if (!reply_) return;
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
    reply_ = nullptr;
}

void WebApiClient::fetch(const QString& base, const QString& key, const std::string& filter) {
    cancel();
    source_ = base;
    QNetworkRequest request(QUrl(webApiAddress(base, key, filter, kLimit), QUrl::StrictMode));
    request.setTransferTimeout(timeoutMs_);
    reply_ = network_->get(request);
    QNetworkReply* reply = reply_;
    // A list larger than any real one is not read to its end.
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxAnswer) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { arrived(reply); });
}

void WebApiClient::arrived(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;
    reply_ = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        // An HTTP error (a refused key) is an answer; silence and refused connections are not.
        const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        emit finished({answered ? ListOutcome::Kind::BadSource : ListOutcome::Kind::NoAnswer, 0,
                       source_});
        return;
    }
    const auto servers = parseWebApiServers(reply->read(kMaxAnswer + 1));
    if (!servers) {
        emit finished({ListOutcome::Kind::BadSource, 0, source_});
        return;
    }
    if (!servers->empty()) emit listed(*servers);
    emit finished({ListOutcome::Kind::Complete, servers->size(), source_});
}

}  // namespace skyloom
