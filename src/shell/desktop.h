#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace skyloom {

enum class MessageIcon { None, Information, Exclamation, Critical };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Every message box and file dialog goes through here, so tests answer them without showing
// anything.
class Desktop {
public:
    virtual ~Desktop() = default;

    // A modal message box. Closing it any other way than OK answers Cancel (No for Yes/No).
    virtual MessageAnswer message(QWidget* parent, const QString& text, const QString& title,
                                  MessageButtons buttons, MessageIcon icon) = 0;

    // A file-open dialog; `filter` is written "description | pattern". Nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title,
                                            const QString& filter) = 0;

    // A modal list of `items` to pick one from; the index picked, nothing when cancelled.
    virtual std::optional<int> chooseItem(QWidget* parent, const QString& title,
                                          const QString& label, const QStringList& items) = 0;

    // A modal one-line text field; the text typed, nothing when cancelled.
    virtual std::optional<QString> askText(QWidget* parent, const QString& title,
                                           const QString& label) = 0;
    // A modal one-line field whose text is not shown (a key, a password); nothing when cancelled.
    virtual std::optional<QString> askSecret(QWidget* parent, const QString& title,
                                             const QString& label) = 0;
    // Draws the player's eye to a window that has news while they look elsewhere.
    virtual void alert(QWidget* window) = 0;
};

}  // namespace skyloom
