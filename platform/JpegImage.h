#pragma once

#include <QByteArray>
#include <QImage>

// Decodes a JPEG image with libjpeg, as the other system's JPEG picture
// class does. Damaged or cut-off data gives a null image, never a grey-filled
// half picture and never an exit of the process.
QImage DecodeJpeg(const QByteArray& bytes);
