// The lock keys where the windowing system offers no way to ask: unknown.
#include "app/lock_keys.h"

LockKeyState queryLockKeys()
{
    return {};
}
