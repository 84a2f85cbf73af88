// One instance per window class, created on first use and forgotten when the window is closed
// (every window is deleted on close, so the next use builds it afresh from its form).
#pragma once

#include <QPointer>

namespace tressora {

template <class Window> class WindowSlot {
public:
    // The window if it exists, visible or hidden; nullptr otherwise.
    static Window *existing() { return slot().data(); }

    // The window, created (and its load handler run) if it does not exist yet.
    static Window *instance()
    {
        if (slot().isNull())
            slot() = new Window;
        return slot().data();
    }

private:
    static QPointer<Window> &slot()
    {
        static QPointer<Window> window;
        return window;
    }
};

} // namespace tressora
