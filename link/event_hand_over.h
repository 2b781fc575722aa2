#pragma once

#include "link_only.h"

class QEvent;
class QObject;

namespace zem {

// The link's worker reports to objects of the window's thread by posting events; these two are the
// only way it does so. In a ThreadSanitizer build they also tell the sanitizer about the hand-over,
// which it cannot see (see the source file); in any other build they add nothing to a plain post.

// Posts `event` (which Qt then owns) to `receiver`.
void PostToWindowThread(QObject* receiver, QEvent* event);
// Call on the window's thread, with the application object made, before the worker starts.
void WatchPostedEvents();

} // namespace zem
