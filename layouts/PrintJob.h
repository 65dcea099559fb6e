#pragma once

#include "platform/Printer.h"

#include <QString>

class TBlankObj;
struct TBlankData;

// The frame of every print job: the preview keeps off the drawing object,
// the job starts, the drawing object points at the printer's canvas at the
// printer's resolution; the job ends and the mark is cleared whatever
// happens in between. A printer that refuses the job raises an Exception
// naming it, with nothing left marked.
class TPrintJob {
public:
    TPrintJob(TBlankObj& obj, const QString& title, TPrinterOrientation orientation);
    ~TPrintJob();
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

private:
    TBlankObj& m_obj;
};

// The hairline pen in the form colour over a clear brush that cut lines and
// guides are drawn with.
void SetCutPen(const TBlankData& Data, TBlankObj& Obj, TPenStyle Style);
