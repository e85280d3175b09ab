#include "shell/window_registry.h"

#include <QLayout>
#include <QScreen>

#include "shell/accessible_names.h"
#include "shell/single_line_fields.h"

namespace skyloom {

WindowRegistry::WindowRegistry(std::function<void()> onLastUnloaded)
    : onLastUnloaded_(std::move(onLastUnloaded)) {}

WindowRegistry::~WindowRegistry() {
    for (auto& [name, window] : loaded_) {
        if (window) {
            disconnect(window, nullptr, this, nullptr);
            delete window;
        }
    }
}

void WindowRegistry::add(const QString& name, Factory factory) {
    factories_[name] = std::move(factory);
}

QWidget* WindowRegistry::create(const QString& name) {
    auto factory = factories_.find(name);
    if (factory == factories_.end()) return nullptr;
    QWidget* window = factory->second();
    window->setObjectName(name);
    keepFieldsOnOneLine(window);
    // Tab follows the places the form's layouts give, so they are given before it is ordered.
    for (QWidget* w : QWidgetList{window} + window->findChildren<QWidget*>())
        if (QLayout* layout = w->layout()) layout->activate();
    orderTabsAsRead(window);
    if (!window->testAttribute(Qt::WA_Resized)) fitToScreen(window);
    // Closing a window by its frame unloads it.
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QObject::destroyed, this, &WindowRegistry::forget);
    loaded_[name] = window;
    return window;
}

QWidget* WindowRegistry::load(const QString& name) {
    if (QWidget* window = find(name)) return window;
    QWidget* window = create(name);
    if (auto* loadable = dynamic_cast<LoadOnShow*>(window)) loadable->loadOnShow();
    return window;
}

QWidget* WindowRegistry::show(const QString& name) {
    QWidget* window = find(name);
    const bool fresh = window == nullptr;
    if (fresh) window = create(name);
    if (!window) return nullptr;
    window->show();
    window->raise();
    window->activateWindow();
    if (fresh) {
        if (auto* loadable = dynamic_cast<LoadOnShow*>(window)) loadable->loadOnShow();
    }
    return window;
}

void WindowRegistry::unload(const QString& name) {
    auto it = loaded_.find(name);
    if (it == loaded_.end()) return;
    QPointer<QWidget> window = it->second;
    loaded_.erase(it);
    if (window) {
        disconnect(window, &QObject::destroyed, this, &WindowRegistry::forget);
        window->hide();
        window->deleteLater();
    }
    checkEmpty();
}

void WindowRegistry::unloadAll() {
    while (!loaded_.empty()) unload(loaded_.begin()->first);
}

QWidget* WindowRegistry::find(const QString& name) const {
    auto it = loaded_.find(name);
    return it == loaded_.end() ? nullptr : it->second.data();
}

void WindowRegistry::setVisible(const QString& name, bool visible) {
    if (QWidget* window = visible ? show(name) : find(name)) window->setVisible(visible);
}

void WindowRegistry::setEnabled(const QString& name, bool enabled) {
    if (QWidget* window = find(name)) window->setEnabled(enabled);
}

void WindowRegistry::reloadPaths(const QString& name) {
    if (auto* window = dynamic_cast<PathsReload*>(find(name))) window->reloadPaths();
}

void WindowRegistry::forget(QObject* window) {
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (it->second == window || it->second.isNull()) {
            loaded_.erase(it);
            checkEmpty();
            return;
        }
    }
}

void WindowRegistry::checkEmpty() {
    if (loaded_.empty() && onLastUnloaded_) onLastUnloaded_();
}

void fitToScreen(QWidget* window) {
    QSize size = window->sizeHint().expandedTo(window->minimumSizeHint());
    // The title bar and the frame take a little of the screen.
    if (const QScreen* screen = window->screen())
        size = size.boundedTo(screen->availableSize() - QSize(16, 48));
    window->resize(size);
}

}  // namespace skyloom
