#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>

namespace skyloom {

// A window whose load must run once it is registered and on screen (its load may open other
// windows or hide itself). Other windows load in their constructor.
class LoadOnShow {
public:
    virtual ~LoadOnShow() = default;
    virtual void loadOnShow() = 0;
};

// A window that reads the paths of the settings file again when another window saved them,
// keeping the player's choices.
class PathsReload {
public:
    virtual ~PathsReload() = default;
    virtual void reloadPaths() = 0;
};

// Each kind of window exists at most once and is addressed by its name. The program ends when
// the last loaded window is unloaded; a loaded but hidden window keeps it alive.
class WindowRegistry final : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*()>;

    explicit WindowRegistry(std::function<void()> onLastUnloaded);
    ~WindowRegistry() override;

    void add(const QString& name, Factory factory);
    bool knows(const QString& name) const { return factories_.count(name) != 0; }

    // Creates the window when it is not loaded (running its load), without showing it.
    QWidget* load(const QString& name);
    // Loads the window when needed, then makes it visible and brings it to the front.
    QWidget* show(const QString& name);
    // Closes and destroys the window; its choices are lost.
    void unload(const QString& name);
    // Unloads every window: the program ends.
    void unloadAll();

    QWidget* find(const QString& name) const;
    template <class T>
    T* find(const QString& name) const {
        return qobject_cast<T*>(find(name));
    }
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }
    int loadedCount() const { return static_cast<int>(loaded_.size()); }

    void setVisible(const QString& name, bool visible);
    void setEnabled(const QString& name, bool enabled);
    // Tells a loaded window that the paths it read were saved anew.
    void reloadPaths(const QString& name);

private:
    QWidget* create(const QString& name);
    void forget(QObject* window);
    void checkEmpty();

    std::function<void()> onLastUnloaded_;
    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<QWidget>> loaded_;
};

// Gives a window the size its layout asks for, as far as its screen allows (Qt alone stops at two
// thirds of the screen, which cuts fields on a small one).
void fitToScreen(QWidget* window);

}  // namespace skyloom
