#include "event_hand_over.h"

#include <QCoreApplication>

#ifdef ZEM_TSAN
#include <QPointer>

#include <sanitizer/tsan_interface.h>
#endif

namespace zem {

#ifdef ZEM_TSAN
namespace {

// ThreadSanitizer sees only the locking of code built with it, and Qt's libraries are not: the
// event queue's lock that hands a posted event to the receiving thread is invisible to it, so every
// read of an event, or of a text it carries, would be reported as racing with its making on the
// worker. The poster releases the event's address and this filter, which the application object
// runs before any handler of its thread, acquires it: the order Qt's lock really gives.
class HandOverFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        __tsan_acquire(event);
        return false;
    }
};

} // namespace
#endif

void PostToWindowThread(QObject* receiver, QEvent* event) {
#ifdef ZEM_TSAN
    __tsan_release(event);
#endif
    QCoreApplication::postEvent(receiver, event);
}

void WatchPostedEvents() {
#ifdef ZEM_TSAN
    // One filter per application object, which owns it.
    static QPointer<HandOverFilter> filter;
    QCoreApplication* app = QCoreApplication::instance();
    if (filter.isNull() && app != nullptr) {
        filter = new HandOverFilter(app);
        app->installEventFilter(filter);
    }
#endif
}

} // namespace zem
