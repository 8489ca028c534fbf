#include "TypedKeyDelay.h"

#include <QKeyEvent>
#include <QWidget>

#include <chrono>

std::uint32_t steadyMs()
{
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count());
}

TypedKeyDelay::TypedKeyDelay(QWidget &target, int intervalMs)
    : m_target(target)
    , m_intervalMs(intervalMs)
{
    m_target.installEventFilter(this);
}

TypedKeyDelay::~TypedKeyDelay()
{
    stop();
}

void TypedKeyDelay::stop()
{
    m_typing = false;
    if (m_thread.joinable())
        m_thread.join();
}

void TypedKeyDelay::reset()
{
    m_longestMs = 0;
    m_keys = 0;
}

bool TypedKeyDelay::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_target && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const std::uint32_t late = steadyMs() - std::uint32_t(key->timestamp());
        m_longestMs = std::max(m_longestMs, double(late));
        ++m_keys;
    }
    return QObject::eventFilter(watched, event);
}

// Xlib's names (KeyPress among them) are macros that would clash with Qt's:
// the X side comes last.
#include <X11/Xlib.h>
#include <X11/keysym.h>

bool TypedKeyDelay::start()
{
    if (m_typing)
        return true;
    Display *probe = XOpenDisplay(nullptr);
    if (!probe) {
        m_why = QStringLiteral("no X server to type through (DISPLAY=%1)").arg(qEnvironmentVariable("DISPLAY"));
        return false;
    }
    XCloseDisplay(probe);
    m_typing = true;
    m_thread = std::thread([this, window = m_target.window()->winId()] { type(window); });
    return true;
}

// Sent to the window as the X server would deliver a key; the time field
// carries the moment of typing.
void TypedKeyDelay::type(unsigned long window)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XKeyEvent key{};
    key.display = display;
    key.window = window;
    key.root = DefaultRootWindow(display);
    key.subwindow = None;
    key.x = key.y = key.x_root = key.y_root = 1;
    key.same_screen = True;
    key.keycode = XKeysymToKeycode(display, XK_a);
    while (m_typing) {
        key.time = steadyMs();
        key.type = KeyPress;
        XSendEvent(display, window, True, KeyPressMask, reinterpret_cast<XEvent *>(&key));
        key.type = KeyRelease;
        XSendEvent(display, window, True, KeyReleaseMask, reinterpret_cast<XEvent *>(&key));
        XFlush(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(m_intervalMs));
    }
    XCloseDisplay(display);
}
