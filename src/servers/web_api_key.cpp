#include "servers/web_api_key.h"

#include <qt6keychain/keychain.h>

namespace skyloom {

namespace {

const QString kService = QStringLiteral("Skyloom");
const QString kKey = QStringLiteral("steam-web-api-key");

}  // namespace

void readWebApiKey(QObject* context, std::function<void(const QString&)> done) {
    auto* job = new QKeychain::ReadPasswordJob(kService);
    job->setKey(kKey);
    // No store on this desktop, or no key in it: the master server answers instead.
    QObject::connect(job, &QKeychain::Job::finished, context, [job, done = std::move(done)] {
        done(job->error() == QKeychain::NoError ? job->textData().trimmed() : QString());
    });
    job->start();
}

void writeWebApiKey(QObject* context, const QString& key, std::function<void(bool)> done) {
    QKeychain::Job* job = nullptr;
    if (key.trimmed().isEmpty()) {
        job = new QKeychain::DeletePasswordJob(kService);
    } else {
        auto* write = new QKeychain::WritePasswordJob(kService);
        write->setTextData(key.trimmed());
        job = write;
    }
    job->setKey(kKey);
    QObject::connect(job, &QKeychain::Job::finished, context, [job, done = std::move(done)] {
        done(job->error() == QKeychain::NoError || job->error() == QKeychain::EntryNotFound);
    });
    job->start();
}

}  // namespace skyloom
