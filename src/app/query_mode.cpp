#include "app/query_mode.h"

#include <QEventLoop>
#include <cstdio>

#include "servers/server_address.h"
#include "servers/server_network.h"
#include "servers/server_querier.h"
#include "servers/server_text.h"

namespace skyloom {

int runQuery(const std::string& target) {
    std::optional<ServerAddress> server;
    if (target.find(':') == std::string::npos) {
        const ServerAddressCheck check = checkServerAddress(target, "27015");
        if (!check.problem) server = check.server;
    } else {
        server = parseServerAddress(target);
    }
    if (!server) {
        std::fprintf(stderr, "skyloom: not a server address: %s\n", target.c_str());
        return 2;
    }
    ServerQuerier querier(systemServerNetwork().timing);
    QEventLoop loop;
    ServerAnswer answer;
    QObject::connect(&querier, &ServerQuerier::answered, [&](const ServerAnswer& a) {
        answer = a;
        loop.quit();
    });
    querier.query(*server, ServerQuerier::Info | ServerQuerier::Players);
    loop.exec();

    const std::string address = answer.address().toStdString();
    if (answer.status == ServerAnswer::Status::NoAnswer) {
        std::fprintf(stderr, "skyloom: no answer from %s\n", address.c_str());
        return 1;
    }
    if (answer.status == ServerAnswer::Status::Invalid) {
        std::fprintf(stderr, "skyloom: invalid answer from %s\n", address.c_str());
        return 2;
    }
    std::fputs(queryText(answer.info, answer.pingMs, answer.players).c_str(), stdout);
    if (answer.playersStatus != ServerAnswer::Status::Answered)
        std::fprintf(
            stderr, "skyloom: players: %s from %s\n",
            answer.playersStatus == ServerAnswer::Status::NoAnswer ? "no answer" : "invalid answer",
            address.c_str());
    return 0;
}

}  // namespace skyloom
