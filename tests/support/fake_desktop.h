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
        if (answers.empty())
            return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::optional<QString> openFile(QWidget*, const QString& title,
                                    const QString& filter) override {
        fileDialogs.push_back({title, filter});
        if (files.empty()) return std::nullopt;
        std::optional<QString> f;
        f.swap(files.front());  // a copy makes GCC 12 warn falsely (maybe-uninitialized) at -O2
        files.pop_front();
        return f;
    }

    std::optional<int> chooseItem(QWidget*, const QString& title, const QString&,
                                  const QStringList& items) override {
        lists.push_back({title, items});
        if (choices.empty()) return std::nullopt;
        std::optional<int> c = choices.front();
        choices.pop_front();
        return c;
    }

    std::optional<QString> askText(QWidget*, const QString& title, const QString&) override {
        textDialogs.push_back(title);
        if (texts.empty()) return std::nullopt;
        std::optional<QString> t = texts.front();
        texts.pop_front();
        return t;
    }
    std::optional<QString> askSecret(QWidget*, const QString& title, const QString&) override {
        secretDialogs.push_back(title);
        if (secrets.empty()) return std::nullopt;
        std::optional<QString> s = secrets.front();
        secrets.pop_front();
        return s;
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
};

}  // namespace skyloom::test
