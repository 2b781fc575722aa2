#pragma once

class QWidget;

namespace zem {

// Moves a window of its final size to the middle of the primary screen's free area; a window
// placed this way keeps the place when it is shown, even over an owner window elsewhere.
void CentreOnScreen(QWidget& window);

} // namespace zem
