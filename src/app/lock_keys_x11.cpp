// The lock keys under X11: the keyboard's indicator LEDs, by name.
#include "app/lock_keys.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)

#include <X11/XKBlib.h>

namespace {

bool indicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
}

} // namespace

LockKeyState queryLockKeys()
{
    LockKeyState state;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    state.known = true;
    state.capsLock = indicatorOn(display, "Caps Lock");
    state.numLock = indicatorOn(display, "Num Lock");
    state.scrollLock = indicatorOn(display, "Scroll Lock");
    return state;
}

#else

LockKeyState queryLockKeys()
{
    return {};
}

#endif
