#pragma once

#include "drawing/BlankTypes.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

// A drawing against its picture in tests/data/reference, checked by eye when it was written; the pictures are
// written anew with WPLATOMAT_WRITE_REFERENCES=1 after a deliberate change.
inline void ExpectReferencePicture(const QImage& drawn, const QString& file)
{
    const QString path = QStringLiteral(WPLATOMAT_TEST_DATA "/reference/") + file;
    if (qEnvironmentVariableIntValue("WPLATOMAT_WRITE_REFERENCES") == 1)
        ASSERT_TRUE(drawn.save(path));
    EXPECT_TRUE(drawn == QImage(path).convertToFormat(QImage::Format_RGB32)) << file.toStdString();
}

// One picture of a two-sided form: empty or filled in, front or back.
struct TSidePicture {
    bool filled;
    TBlankSide side;
    const char* file;
};
