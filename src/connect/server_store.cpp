#include "connect/server_store.h"

#include <algorithm>

namespace skyloom {

bool ServerStore::isFavourite(const ServerAddress& server) const {
    const auto& favourites = list(kFavourites);
    return std::find(favourites.begin(), favourites.end(), server) != favourites.end();
}

void ServerStore::setAnswer(const ServerAnswer& answer) {
    answers_[answer.server] = answer;
    if (answer.status == ServerAnswer::Status::Answered) everAnswered_.insert(answer.server);
}

const ServerAnswer* ServerStore::answer(const ServerAddress& server) const {
    const auto it = answers_.find(server);
    return it == answers_.end() ? nullptr : &it->second;
}

const ServerAnswer* ServerStore::answered(const ServerAddress& server) const {
    const ServerAnswer* a = answer(server);
    return a && a->status == ServerAnswer::Status::Answered ? a : nullptr;
}

bool ServerStore::shows(int tab, const ServerAddress& server) const {
    return tab != kInternet || everAnswered_.contains(server);
}

std::size_t ServerStore::answeredCount(int tab) const {
    const auto& servers = list(tab);
    return static_cast<std::size_t>(std::count_if(
        servers.begin(), servers.end(), [this](const ServerAddress& s) { return answered(s); }));
}

}  // namespace skyloom
