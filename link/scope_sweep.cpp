#include "tcomm_thread.h"

namespace zem {

// The sweep is still to come; until then a request ends at once the way a stopped sweep ends,
// with code 4, so the window's Start button comes back.
void TCommThread::DoScope() {
    Finish(kMsgPortOpened, OpenErrors_);
}

} // namespace zem
