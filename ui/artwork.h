#pragma once

#include <QIcon>
#include <QPixmap>

namespace zem {

// The program's pictures, drawn at run time so that no binary files need to be kept.
QPixmap SplashPicture(); // 397 x 100, for the splash window
QPixmap AboutPicture();  // 160 x 120, for the about box
QIcon ProgramIcon();
// The handheld of the icon at any size, for the icons an installation puts in the desktop theme.
QPixmap ProgramIconPixmap(int size);

} // namespace zem
