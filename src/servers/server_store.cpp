#include "servers/server_store.h"

#include <algorithm>

namespace skyloom {

std::optional<int> ServerStore::row(int tab, const ServerAddress& server) const {
    const auto& rows = at(rows_, tab);
    const auto it = rows.find(server);
    return it == rows.end() ? std::nullopt : std::optional<int>(it->second);
}

std::size_t ServerStore::count(int tab) const {
    return list(tab).size() + (tab == kInternet ? unanswered_.size() : 0);
}

std::size_t ServerStore::answeredCount(int tab) const {
    const auto& servers = list(tab);
    return static_cast<std::size_t>(std::count_if(
        servers.begin(), servers.end(), [this](const ServerAddress& s) { return answered(s); }));
}

void ServerStore::setList(int tab, std::vector<ServerAddress> servers) {
    emit resetting(tab);
    at(lists_, tab).clear();
    at(rows_, tab).clear();
    if (tab == kInternet) unanswered_.clear();
    for (ServerAddress& server : servers)
        if (!row(tab, server)) {
            at(rows_, tab).emplace(server, static_cast<int>(list(tab).size()));
            at(lists_, tab).push_back(std::move(server));
        }
    emit reset(tab);
}

void ServerStore::add(int tab, const ServerAddress& server) {
    if (row(tab, server)) return;
    if (tab == kInternet && !everAnswered_.contains(server))
        unanswered_.insert(server);
    else
        show(tab, server);
}

void ServerStore::show(int tab, const ServerAddress& server) {
    const int at_ = static_cast<int>(list(tab).size());
    emit adding(tab, at_);
    at(lists_, tab).push_back(server);
    at(rows_, tab).emplace(server, at_);
    emit added(tab, at_);
}

void ServerStore::remove(int tab, const ServerAddress& server) {
    const std::optional<int> gone = row(tab, server);
    if (!gone) return;
    emit removing(tab, *gone);
    auto& servers = at(lists_, tab);
    servers.erase(servers.begin() + *gone);
    auto& rows = at(rows_, tab);
    rows.erase(server);
    for (auto& [s, r] : rows)
        if (r > *gone) --r;
    emit removed(tab, *gone);
}

void ServerStore::setAnswer(const ServerAnswer& answer) {
    answers_[answer.server] = answer;
    if (answer.status == ServerAnswer::Status::Answered) {
        everAnswered_.insert(answer.server);
        if (unanswered_.erase(answer.server)) show(kInternet, answer.server);
    }
    emit changed(answer.server);
}

const ServerAnswer* ServerStore::answer(const ServerAddress& server) const {
    const auto it = answers_.find(server);
    return it == answers_.end() ? nullptr : &it->second;
}

const ServerAnswer* ServerStore::answered(const ServerAddress& server) const {
    const ServerAnswer* a = answer(server);
    return a && a->status == ServerAnswer::Status::Answered ? a : nullptr;
}

void ServerStore::setNote(const ServerAddress& server, const QString& note) {
    if (note.isEmpty() ? !notes_.erase(server) : std::exchange(notes_[server], note) == note)
        return;
    emit changed(server);
}

QString ServerStore::note(const ServerAddress& server) const {
    const auto it = notes_.find(server);
    return it == notes_.end() ? QString() : it->second;
}

}  // namespace skyloom
