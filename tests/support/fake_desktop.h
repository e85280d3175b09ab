#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <vector>

#include "shell/desktop.h"

namespace skyloom::test {

// Records every message box and list and answers the dialogs from queues, showing none.
class FakeDesktop final : public Desktop {
public:
    struct Message {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    struct ListDialog {
        QString title;
        QStringList items;
    };
    MessageAnswer message(QWidget*, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override {
        messages.push_back({text, title, buttons, icon});
        return next(answers).value_or(buttons == MessageButtons::YesNo ? MessageAnswer::Yes
                                                                       : MessageAnswer::Ok);
    }
    std::optional<QString> openFile(QWidget*, const QString&, const QString&) override {
        return next(files).value_or(std::nullopt);
    }
    std::optional<int> chooseItem(QWidget*, const QString& title, const QString&,
                                  const QStringList& items) override {
        lists.push_back({title, items});
        return next(choices).value_or(std::nullopt);
    }
    std::optional<QString> askText(QWidget*, const QString&, const QString&) override {
        return next(texts).value_or(std::nullopt);
    }
    std::optional<QString> askSecret(QWidget*, const QString& title, const QString&) override {
        secretDialogs.push_back(title);
        return next(secrets).value_or(std::nullopt);
    }
    void alert(QWidget* window) override { alerts.push_back(window); }
    std::vector<Message> messages;
    std::vector<QWidget*> alerts;
    std::deque<MessageAnswer> answers;                         // default: OK (Yes)
    std::deque<std::optional<QString>> files, texts, secrets;  // default: cancelled
    std::vector<ListDialog> lists;
    std::deque<std::optional<int>> choices;  // default: cancelled
    std::vector<QString> secretDialogs;      // their titles
private:
    template <typename T>
    static std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> front(std::move(queue.front()));
        queue.pop_front();
        return front;
    }
};
}  // namespace skyloom::test
