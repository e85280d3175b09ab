#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <vector>

#include "shell/desktop.h"

namespace skyloom::test {

// Records every message box, file dialog and list and answers them from queues, without showing
// any.
class FakeDesktop final : public Desktop {
public:
    struct Message {
        QString text;
        QString title;
        MessageButtons buttons;
        MessageIcon icon;
        bool parentShown;  // whether the window it belongs to was on screen
    };
    struct ListDialog {
        QString title;
        QStringList items;
    };
    struct FileDialog {
        QString title;
        QString filter;
    };

    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override {
        messages.push_back({text, title, buttons, icon, parent && parent->isVisible()});
        const MessageAnswer fallback =
            buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
        return next(answers).value_or(fallback);
    }
    std::optional<QString> openFile(QWidget*, const QString& title,
                                    const QString& filter) override {
        fileDialogs.push_back({title, filter});
        return next(files).value_or(std::nullopt);
    }
    std::optional<int> chooseItem(QWidget*, const QString& title, const QString&,
                                  const QStringList& items) override {
        lists.push_back({title, items});
        return next(choices).value_or(std::nullopt);
    }
    std::optional<QString> askText(QWidget*, const QString& title, const QString&) override {
        textDialogs.push_back(title);
        return next(texts).value_or(std::nullopt);
    }
    std::optional<QString> askSecret(QWidget*, const QString& title, const QString&) override {
        secretDialogs.push_back(title);
        return next(secrets).value_or(std::nullopt);
    }

    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;  // default: OK (Yes)
    std::vector<FileDialog> fileDialogs;
    std::deque<std::optional<QString>> files;  // default: cancelled
    std::vector<ListDialog> lists;
    std::deque<std::optional<int>> choices;  // default: cancelled
    std::vector<QString> textDialogs;        // their titles
    std::deque<std::optional<QString>> texts;  // default: cancelled
    std::vector<QString> secretDialogs;
    std::deque<std::optional<QString>> secrets;  // default: cancelled

private:
    // The next queued answer; none when the queue is empty.
    template <typename T>
    static std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> front(std::move(queue.front()));
        queue.pop_front();
        return front;
    }
};

}  // namespace skyloom::test
