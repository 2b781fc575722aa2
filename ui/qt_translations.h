#pragma once

class QCoreApplication;

namespace zem {

// Makes Qt's own dialogs and buttons (file dialogs, the overwrite question, context menus) speak
// Japanese like the rest of the program, from Qt's translations installed on the system. False
// when they are not installed; the program then runs with Qt's English texts.
bool InstallQtJapanese(QCoreApplication& app);

} // namespace zem
