#pragma once

#include "drawing/BlankTypes.h"

#include <QSizeF>

class TfrmBlank;

// The page of one form of the kind in millimetres; empty for a kind without one.
QSizeF PageSizeMm(quint16 kind);

// The preview and the print of each form family. A kind without its layout
// shows an empty preview area and prints nothing.
void PaintLayout(TfrmBlank* form, TBlankSide side);
void PrintLayout(TfrmBlank* form);
