#pragma once

#include <QIcon>

// The tool bar's and menus' pictures, 24 x 24, drawn by the program itself.
enum class TActionIcon { New, Open, Save, Print, ZoomIn, ZoomOut, Reverse, Help };

QIcon MakeActionIcon(TActionIcon icon);
