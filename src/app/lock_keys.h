#pragma once
// State of the keyboard's lock keys, for the status bar's CAP, NUM and SCRL indicators.

// `known` is false where the platform cannot tell (no X11 display, offscreen); the other
// fields are then false.
struct LockKeyState
{
    bool known = false;
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// Asks the windowing system for the lock keys' current state.
LockKeyState queryLockKeys();
