#pragma once

#include "platform/Canvas.h"

#include <QString>

#include <memory>

class QPdfWriter;

// A PDF file as a drawing target, for tests and tools: pages of one size in
// millimetres, drawn through a canvas at a chosen resolution. The file is
// complete once Close() has run (or the object is gone).
class TPdfFile {
public:
    TPdfFile(const QString& path, double widthMm, double heightMm, int dpi);
    ~TPdfFile();
    TPdfFile(const TPdfFile&) = delete;
    TPdfFile& operator=(const TPdfFile&) = delete;

    const QString& Path() const { return m_path; }
    int DPI() const { return m_dpi; }
    // The canvas of the current page, in device pixels at DPI().
    TCanvas& Canvas() { return m_canvas; }

    void NewPage();
    // Ends painting and finishes the file; later calls do nothing.
    void Close();

private:
    QString m_path;
    int m_dpi = 0;
    std::unique_ptr<QPdfWriter> m_writer;
    TCanvas m_canvas;
};
