#pragma once

#include <QIcon>

// The program's own icon, the picture it also installs for the desktop,
// drawn at the sizes window managers and task bars ask for.
QIcon ProgramIcon();
