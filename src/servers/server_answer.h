#pragma once

#include <QString>

#include "servers/a2s.h"
#include "servers/server_address.h"

namespace skyloom {

// What a server told a query, or why it told nothing.
struct ServerAnswer {
    enum class Status { Answered, NoAnswer, Invalid };

    ServerAddress server;  // as asked; for a LAN server, the address that answered
    Status status = Status::NoAnswer;
    ServerInfo info;  // filled when answered
    // How the players and rules went: a failure after the information keeps the information.
    Status playersStatus = Status::Answered;
    PlayerList players;
    RuleList rules;
    int pingMs = -1;  // round trip of the last INFO exchange

    // "host:port", an IPv6 literal in brackets.
    QString address() const { return QString::fromStdString(formatServerAddress(server)); }
};

}  // namespace skyloom
