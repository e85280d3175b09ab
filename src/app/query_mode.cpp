#include "app/query_mode.h"

#include <QEventLoop>

#include "servers/server_address.h"
#include "servers/server_querier.h"
#include "servers/server_text.h"

namespace skyloom {

int runQuery(const std::string& target, const ServerNetwork& network, std::FILE* out,
             std::FILE* err) {
    std::optional<ServerAddress> server;
    if (target.find(':') == std::string::npos) {
        const ServerAddressCheck check = checkServerAddress(target, "27015");
        if (!check.problem) server = check.server;
    } else {
        server = parseServerAddress(target);
    }
    if (!server) {
        std::fprintf(err, "skyloom: not a server address: %s\n", target.c_str());
        return 2;
    }
    ServerQuerier querier(network);
    QEventLoop loop;
    ServerAnswer answer;
    bool informed = false;
    // A reader of the output sees the information while the players are still being asked.
    QObject::connect(&querier, &ServerQuerier::informed, [&](const ServerAnswer& a) {
        informed = true;
        std::fputs(queryInfoText(a.info, a.pingMs).c_str(), out);
        std::fflush(out);
    });
    QObject::connect(&querier, &ServerQuerier::answered, [&](const ServerAnswer& a) {
        answer = a;
        loop.quit();
    });
    querier.query(*server, ServerQuerier::Info | ServerQuerier::Players);
    loop.exec();

    const std::string address = answer.address().toStdString();
    if (answer.status == ServerAnswer::Status::NoAnswer) {
        std::fprintf(err, "skyloom: no answer from %s\n", address.c_str());
        return 1;
    }
    if (answer.status == ServerAnswer::Status::Invalid) {
        std::fprintf(err, "skyloom: invalid answer from %s\n", address.c_str());
        return 2;
    }
    if (!informed) std::fputs(queryInfoText(answer.info, answer.pingMs).c_str(), out);
    std::fputs(queryPlayersText(answer.players).c_str(), out);
    if (answer.playersStatus != ServerAnswer::Status::Answered)
        std::fprintf(
            err, "skyloom: players: %s from %s\n",
            answer.playersStatus == ServerAnswer::Status::NoAnswer ? "no answer" : "invalid answer",
            address.c_str());
    return 0;
}

}  // namespace skyloom
