#pragma once

#include <array>
#include <map>
#include <set>
#include <vector>

#include "servers/server_querier.h"

namespace skyloom {

// The servers the connection tool knows: each tab's list and the last answer of every server
// asked. The tabs, the filters and the list's model all read this one store.
class ServerStore {
public:
    enum Tab { kFavourites, kLan, kInternet, kRecent, kTabs };

    std::vector<ServerAddress>& list(int tab) { return lists_[static_cast<std::size_t>(tab)]; }
    const std::vector<ServerAddress>& list(int tab) const {
        return lists_[static_cast<std::size_t>(tab)];
    }
    bool isFavourite(const ServerAddress& server) const;

    void setAnswer(const ServerAnswer& answer);
    const ServerAnswer* answer(const ServerAddress& server) const;    // the last one, if any
    const ServerAnswer* answered(const ServerAddress& server) const;  // the same, if it answered
    // The Internet tab lists what answered at least once: a dead server there is only noise,
    // but one that stops answering stays and says so.
    bool shows(int tab, const ServerAddress& server) const;
    std::size_t answeredCount(int tab) const;

private:
    std::array<std::vector<ServerAddress>, kTabs> lists_;
    std::map<ServerAddress, ServerAnswer> answers_;
    std::set<ServerAddress> everAnswered_;
};

}  // namespace skyloom
