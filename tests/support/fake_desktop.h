#pragma once

#include <QString>
#include <QWidget>
#include <deque>
#include <vector>

#include "shell/desktop.h"

namespace skyloom::test {

// Records each box and dialog, answering from queues; one over a hidden window ends the test.
class FakeDesktop final : public Desktop {
public:
    struct Message {
        QString text, title;
        MessageButtons buttons;
        MessageIcon icon;
        QString window;  // the object name of the window it is over; empty: none
    };
    MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                          MessageButtons buttons, MessageIcon icon) override {
        messages.push_back({text, title, buttons, icon, shownWindow(parent)});
        return next(answers).value_or(buttons == MessageButtons::YesNo ? MessageAnswer::Yes
                                                                       : MessageAnswer::Ok);
    }
    std::optional<QString> openFile(QWidget* parent, const QString& title,
                                    const QString& filter) override {
        fileDialogs << said(parent, title, filter);
        return next(files).value_or(std::nullopt);
    }
    std::optional<int> chooseItem(QWidget* parent, const QString& title, const QString& label,
                                  const QStringList&) override {
        lists << said(parent, title, label);
        return next(choices).value_or(std::nullopt);
    }
    std::optional<QString> askText(QWidget* parent, const QString& title,
                                   const QString& label) override {
        textDialogs << said(parent, title, label);
        return next(texts).value_or(std::nullopt);
    }
    std::optional<QString> askSecret(QWidget* parent, const QString& title,
                                     const QString& label) override {
        secretDialogs << said(parent, title, label);
        return next(secrets).value_or(std::nullopt);
    }
    void alert(QWidget* window) override { alerts.push_back(window); }
    std::vector<Message> messages;
    // Each dialog asked, as "window: title: label"; a file dialog's label is its filter.
    QStringList fileDialogs, lists, textDialogs, secretDialogs;
    std::vector<QWidget*> alerts;
    std::deque<MessageAnswer> answers;                         // default: OK (Yes)
    std::deque<std::optional<QString>> files, texts, secrets;  // default: cancelled
    std::deque<std::optional<int>> choices;                    // default: cancelled
private:
    static QString shownWindow(QWidget* parent) {
        if (!parent) return {};
        const QString name = parent->window()->objectName();
        if (!parent->window()->isVisible())
            qFatal("a box over the hidden window %s", qPrintable(name));
        return name;
    }
    static QString said(QWidget* parent, const QString& title, const QString& label) {
        return shownWindow(parent) + ": " + title + ": " + label;
    }
    template <typename T>
    static std::optional<T> next(std::deque<T>& queue) {
        if (queue.empty()) return std::nullopt;
        std::optional<T> front(std::move(queue.front()));
        queue.pop_front();
        return front;
    }
};
}  // namespace skyloom::test
