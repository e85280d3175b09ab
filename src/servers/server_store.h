#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "servers/server_answer.h"

namespace skyloom {

// The servers the connection tool knows: each tab's list and the last answer of every server
// asked. It says what changed, so whatever shows it follows without being told.
class ServerStore final : public QObject {
    Q_OBJECT
    template <class T>
    static auto& at(T& tabs, int tab) {
        return tabs[static_cast<std::size_t>(tab)];
    }

public:
    enum Tab { kFavourites, kLan, kInternet, kRecent, kTabs };

    explicit ServerStore(QObject* parent = nullptr) : QObject(parent) {}

    // The servers a tab shows, in its order. The Internet tab shows what answered at least
    // once: a dead server there is only noise, but one that stops answering stays and says so.
    const std::vector<ServerAddress>& list(int tab) const { return at(lists_, tab); }
    std::optional<int> row(int tab, const ServerAddress& server) const;
    std::size_t count(int tab) const;  // shown, and listed but not yet answered
    std::size_t answeredCount(int tab) const;
    bool isFavourite(const ServerAddress& server) const {
        return row(kFavourites, server).has_value();
    }

    void setList(int tab, std::vector<ServerAddress> servers);
    void add(int tab, const ServerAddress& server);  // at the end, once
    void remove(int tab, const ServerAddress& server);

    void setAnswer(const ServerAnswer& answer);
    const ServerAnswer* answer(const ServerAddress& server) const;    // the last one, if any
    const ServerAnswer* answered(const ServerAddress& server) const;  // the same, if it answered
    // What the player waits for on this server ("waiting 0:35"), shown with its players.
    void setNote(const ServerAddress& server, const QString& note);
    QString note(const ServerAddress& server) const;

signals:
    // Each change told before and after, as a view of the rows needs it.
    void resetting(int tab);
    void reset(int tab);
    void adding(int tab, int row);
    void added(int tab, int row);
    void removing(int tab, int row);
    void removed(int tab, int row);
    void changed(const skyloom::ServerAddress& server);

private:
    void show(int tab, const ServerAddress& server);

    std::array<std::vector<ServerAddress>, kTabs> lists_;
    std::array<std::map<ServerAddress, int>, kTabs> rows_;
    std::set<ServerAddress> unanswered_;  // listed on the Internet tab, shown once they answer
    std::map<ServerAddress, ServerAnswer> answers_;
    std::set<ServerAddress> everAnswered_;
    std::map<ServerAddress, QString> notes_;
};

}  // namespace skyloom
