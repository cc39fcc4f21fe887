#pragma once
// Marks an English text that the window shows translated: lupdate finds every text written as
// QT_TRANSLATE_NOOP(context, text), and the window looks the text up in that context. Without Qt
// the mark is the literal itself, as Qt defines it.

#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace orvo {

// The translation context of every text the core hands the window.
inline constexpr const char* kMessageContext = "orvo";

} // namespace orvo
