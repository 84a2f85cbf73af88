// One instance per window class, created on first use and forgotten when the window is closed
// (every window is deleted on close, so the next use builds it afresh from its form). The
// program connects to each window as it is created, through the creation hook.
#pragma once

#include <QPointer>

#include <functional>
#include <utility>

namespace tressora {

template <class Window> class WindowSlot {
public:
    // The window if it exists, visible or hidden; nullptr otherwise.
    static Window *existing() { return slot().data(); }

    // The window, created (its load handler run, then the creation hook) if it does not exist
    // yet.
    static Window *instance()
    {
        if (slot().isNull()) {
            slot() = new Window;
            if (const auto &hook = creationHook())
                hook(*slot());
        }
        return slot().data();
    }

    // Runs for every window of this class right after it has been created.
    static void onCreated(std::function<void(Window &)> hook) { creationHook() = std::move(hook); }

private:
    static QPointer<Window> &slot()
    {
        static QPointer<Window> window;
        return window;
    }
    static std::function<void(Window &)> &creationHook()
    {
        static std::function<void(Window &)> hook;
        return hook;
    }
};

} // namespace tressora
