#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "servers/master_server.h"
#include "servers/server_network.h"

class QUdpSocket;

namespace skyloom {

// How asking for a list of servers ended.
struct ListOutcome {
    enum class Kind {
        Complete,  // the list's end arrived
        Stopped,   // the source stopped answering part way: what arrived is all there is
        NoAnswer,  // nothing arrived
        BadSource  // the address or the answer was no use
    };
    Kind kind = Kind::NoAnswer;
    std::size_t servers = 0;
    QString source;  // what was asked, for the player
};

// Asks a master server for its list, page by page on the event loop: the next page only once the
// last arrived and never sooner than `pageGapMs` after the last request, each page asked again
// after a time-out. Destroying it cancels everything.
class MasterClient final : public QObject {
    Q_OBJECT
public:
    MasterClient(QueryTiming timing, int pageGapMs, QObject* parent = nullptr);
    ~MasterClient() override;

    // Starts again from the first page; a list still arriving is dropped.
    void fetch(const QString& master, const std::string& filter);
    void cancel();  // without a word

signals:
    void listed(const std::vector<skyloom::MasterEntry>& servers);  // each page's new ones
    void finished(const skyloom::ListOutcome& outcome);

private:
    void resolved(quint64 serial, const QHostAddress& address);
    void send();
    void readDatagrams();
    void timedOut();
    void end(ListOutcome::Kind kind);

    QueryTiming timing_;
    int pageGapMs_;
    QUdpSocket* socket_;
    QTimer timeout_, gap_;
    MasterList list_;
    std::string filter_;
    QString source_;
    QHostAddress address_;
    quint16 port_ = 0;
    int attemptsLeft_ = 0;
    quint64 serial_ = 0;
    bool running_ = false;
};

}  // namespace skyloom
