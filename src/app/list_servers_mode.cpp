#include "app/list_servers_mode.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <algorithm>
#include <cstdio>
#include <optional>

#include "platform/utf8.h"
#include "servers/internet_list.h"
#include "servers/server_querier.h"
#include "servers/server_text.h"
#include "settings/settings.h"

namespace skyloom {

int runListServers(const ListServersOptions& options, const Settings& settings,
                   const ServerNetwork& network, std::FILE* out, std::FILE* err) {
    const QString master = QString::fromStdString(
        options.master ? *options.master
                       : settings.read("SERVERS", "master", kDefaultMaster, 1024));
    const QString webApi = QString::fromStdString(
        settings.read("SERVERS", "webapi", "https://api.steampowered.com", 1024));

    QEventLoop loop;
    ServerQuerier querier(network);
    InternetList list(network, querier);
    std::vector<ServerAnswer> answered;
    std::size_t told = 0;
    bool listDone = false;
    std::optional<ListOutcome> outcome;
    const auto maybeQuit = [&] {
        if (listDone && told == list.servers().size()) loop.quit();
    };
    QObject::connect(&list, &InternetList::finished, [&](const ListOutcome& o) {
        outcome = o;
        listDone = true;
        maybeQuit();
    });
    QObject::connect(&querier, &ServerQuerier::answered, [&](const ServerAnswer& a) {
        ++told;
        if (a.status == ServerAnswer::Status::Answered) answered.push_back(a);
        maybeQuit();
    });
    list.fetch(master, webApi, options.game);
    loop.exec();

    std::stable_sort(
        answered.begin(), answered.end(),
        [](const ServerAnswer& a, const ServerAnswer& b) { return a.pingMs < b.pingMs; });
    for (const ServerAnswer& a : answered)
        std::fprintf(out, "%s\t%s\t%s\t%s\t%d ms\n", a.address().toStdString().c_str(),
                     terminalLine(a.info.name).c_str(), terminalLine(a.info.map).c_str(),
                     playerCountText(a.info).c_str(), a.pingMs);
    std::fflush(out);
    switch (outcome->kind) {
        case ListOutcome::Kind::Complete:
            return 0;
        case ListOutcome::Kind::Stopped:
            std::fprintf(err, "%s stopped answering after %zu servers; the list is cut short.\n",
                         terminalLine(master.toStdString()).c_str(), outcome->servers);
            return 0;
        case ListOutcome::Kind::NoAnswer:
            std::fprintf(err, "%s did not answer.\n",
                         terminalLine(outcome->source.toStdString()).c_str());
            return 1;
        case ListOutcome::Kind::BadSource:
            break;
    }
    std::fprintf(err, "%s gave no server list.\n",
                 terminalLine(outcome->source.toStdString()).c_str());
    return 1;
}

}  // namespace skyloom
