#include "servers/web_api.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <memory>

namespace skyloom {

namespace {

// Reads JSON forward, checking all of it and keeping only what its caller asks for. The first
// error moves to the end, so every later read fails too and the caller checks once.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : s_(text) {}

    bool failed() const { return failed_; }
    bool atEnd() {
        space();
        return i_ == s_.size();
    }
    char peek() {
        space();
        return i_ < s_.size() ? s_[i_] : '\0';
    }
    bool take(char c) {
        if (peek() != c || failed_) return false;
        ++i_;
        return true;
    }
    void fail() {
        failed_ = true;
        i_ = s_.size();
    }

    std::string string() {
        std::string out;
        if (!take('"')) return fail(), out;
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) break;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) break;
            const char e = s_[i_++];
            static constexpr std::string_view kEscapes = "\"\\/bfnrt", kMeant = "\"\\/\b\f\n\r\t";
            if (const auto at = kEscapes.find(e); at != std::string_view::npos) {
                out += kMeant[at];
                continue;
            }
            if (e != 'u' || s_.size() - i_ < 4) break;
            unsigned code = 0;
            for (int n = 0; n < 4; ++n) {
                const char h = s_[i_++];
                const int digit = h >= '0' && h <= '9'   ? h - '0'
                                  : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                  : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                         : -1;
                if (digit < 0) return fail(), out;
                code = code * 16 + static_cast<unsigned>(digit);
            }
            out += code < 0x80 ? static_cast<char>(code) : '?';  // no address holds more
        }
        fail();
        return out;
    }

    // Calls `member(key)` for each member, which reads the value.
    template <class F>
    void object(F member) {
        if (!take('{')) return fail();
        if (take('}')) return;
        do {
            const std::string key = string();
            if (!take(':')) return fail();
            member(key);
        } while (take(','));
        if (!take('}')) fail();
    }
    template <class F>
    void array(F element) {
        if (!take('[')) return fail();
        if (take(']')) return;
        do element();
        while (take(','));
        if (!take(']')) fail();
    }

    // Any value, nested no deeper than a real answer ever is.
    void skip(int depth) {
        if (depth > kMaxDepth) return fail();
        switch (peek()) {
            case '{':
                return object([&](const std::string&) { skip(depth + 1); });
            case '[':
                return array([&] { skip(depth + 1); });
            case '"':
                return void(string());
            default:
                break;
        }
        for (const std::string_view word : {"true", "false", "null"})
            if (s_.substr(i_, word.size()) == word) return void(i_ += word.size());
        const std::size_t start = i_;
        while (i_ < s_.size() &&
               std::string_view("+-.eE0123456789").find(s_[i_]) != std::string_view::npos)
            ++i_;
        if (i_ == start) fail();
    }

private:
    static constexpr int kMaxDepth = 64;

    void space() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }

    std::string_view s_;
    std::size_t i_ = 0;
    bool failed_ = false;
};

std::optional<MasterEntry> ipv4Entry(std::string_view text) {
    const auto address = parseServerAddress(text);
    if (!address) return std::nullopt;
    std::uint32_t ip = 0, part = 0;
    int dots = 0;
    for (const char c : address->host) {
        if (c == '.') {
            ip = ip << 8 | part, part = 0, ++dots;
        } else if (c >= '0' && c <= '9') {
            part = part * 10 + static_cast<std::uint32_t>(c - '0');
        } else {
            return std::nullopt;  // a host name or an IPv6 address
        }
    }
    // The check let only a dotted quad of numbers through.
    if (dots != 3) return std::nullopt;
    return MasterEntry{ip << 8 | part, address->port};
}

// The list's source as a block of addresses it may list servers in.
std::optional<std::uint32_t> sourceIp(const QString& base) {
    const QString host = QUrl(base).host();
    if (host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0) return 0x7F000001;
    QHostAddress literal;
    if (!literal.setAddress(host)) return std::nullopt;
    const QHostAddress ip = sendableAddress(literal);
    if (ip.protocol() != QAbstractSocket::IPv4Protocol) return std::nullopt;
    return ip.toIPv4Address();
}

}  // namespace

std::optional<std::vector<MasterEntry>> parseWebApiServers(std::string_view json) {
    if (json.size() > kMaxWebApiAnswer) return std::nullopt;
    JsonReader r(json);
    std::vector<MasterEntry> out;
    bool response = false;
    r.object([&](const std::string& key) {
        if (key != "response") return r.skip(1);
        response = r.peek() == '{';
        out.clear();
        if (!response) return r.skip(1);
        r.object([&](const std::string& list) {
            // No servers: Steam leaves the array out.
            if (list != "servers" || r.peek() != '[') return r.skip(2);
            out.clear();
            r.array([&] {
                if (r.peek() != '{') return r.skip(3);
                std::optional<std::string> addr;
                r.object([&](const std::string& field) {
                    if (field == "addr" && r.peek() == '"')
                        addr = r.string();
                    else
                        r.skip(4);
                });
                if (!addr || out.size() >= MasterList::kMaxServers) return;
                if (const auto entry = ipv4Entry(*addr)) out.push_back(*entry);
            });
        });
    });
    if (r.failed() || !r.atEnd() || !response) return std::nullopt;
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

WebApiClient::WebApiClient(int timeoutMs, int deadlineMs, QObject* parent)
    : QObject(parent),
      timeoutMs_(timeoutMs),
      deadline_(new QTimer(this)),
      network_(new QNetworkAccessManager(this)) {
    deadline_->setSingleShot(true);
    deadline_->setInterval(deadlineMs);
    // An answer still arriving at the deadline is no answer: what came of it is dropped.
    connect(deadline_, &QTimer::timeout, this, [this] {
        if (!reply_) return;
        cancel();
        emit finished({ListOutcome::Kind::NoAnswer, 0, source_});
    });
}

WebApiClient::~WebApiClient() {
    cancel();
    for (QThread* parser : parsers_) {
        parser->wait();
        delete parser;
    }
}

void WebApiClient::cancel() {
    ++serial_;
    deadline_->stop();
    body_ = QByteArray();
    if (!reply_) return;
    reply_->disconnect(this);
    reply_->abort();
    reply_->deleteLater();
    reply_ = nullptr;
}

void WebApiClient::fetch(const QString& base, const QString& key, const std::string& filter) {
    cancel();
    source_ = base;
    sourceIp_ = sourceIp(base);
    tooLong_ = false;
    QNetworkRequest request(QUrl(webApiAddress(base, key, filter, kLimit), QUrl::StrictMode));
    request.setTransferTimeout(timeoutMs_);
    reply_ = network_->get(request);
    QNetworkReply* reply = reply_;
    // The answer is counted as it comes: what lies beyond the cap is never buffered.
    reply->setReadBufferSize(256 * 1024);
    deadline_->start();
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { take(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { arrived(reply); });
}

void WebApiClient::take(QNetworkReply* reply) {
    if (reply != reply_ || tooLong_) return;
    // Room for the whole answer at once when it says its size: growing by copies would hold it
    // twice or more.
    if (body_.isEmpty()) {
        const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        if (announced > 0 && announced <= kMaxAnswer) body_.reserve(announced);
    }
    while (reply->bytesAvailable() > 0) {
        body_ += reply->read(std::min(reply->bytesAvailable(), kMaxAnswer + 1 - body_.size()));
        if (body_.size() > kMaxAnswer) {
            tooLong_ = true;
            body_ = QByteArray();
            reply->abort();  // finishes it
            return;
        }
    }
}

void WebApiClient::arrived(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) return;
    take(reply);
    reply_ = nullptr;
    deadline_->stop();
    if (tooLong_) return emit finished({ListOutcome::Kind::BadSource, 0, source_});
    if (reply->error() != QNetworkReply::NoError) {
        body_ = QByteArray();
        // An HTTP error (a refused key) is an answer; silence and refused connections are not.
        const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        emit finished(
            {answered ? ListOutcome::Kind::BadSource : ListOutcome::Kind::NoAnswer, 0, source_});
        return;
    }
    // Reading tens of megabytes takes longer than a window may wait.
    auto result = std::make_shared<std::optional<std::vector<MasterEntry>>>();
    QThread* parser = QThread::create([result, body = std::exchange(body_, QByteArray())] {
        *result = parseWebApiServers(std::string_view(body.constData(), std::size_t(body.size())));
    });
    parsers_.push_back(parser);
    connect(parser, &QThread::finished, this, [this, parser, result, serial = serial_] {
        std::erase(parsers_, parser);
        parser->deleteLater();
        if (serial == serial_) parsed(*result);
    });
    parser->start();
}

void WebApiClient::parsed(const std::optional<std::vector<MasterEntry>>& servers) {
    if (!servers) return emit finished({ListOutcome::Kind::BadSource, 0, source_});
    std::vector<MasterEntry> askable;
    for (const MasterEntry& e : *servers)
        if (mayQueryListed(e, sourceIp_)) askable.push_back(e);
    if (!askable.empty()) emit listed(askable);
    emit finished({ListOutcome::Kind::Complete, askable.size(), source_});
}

}  // namespace skyloom
