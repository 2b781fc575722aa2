#pragma once

#include <QFont>

namespace zem {

// The program's font: "ＭＳ Ｐゴシック" 12 px where it exists, else the nearest Japanese gothic
// faces of a Linux desktop.
QFont WindowFont();

} // namespace zem
