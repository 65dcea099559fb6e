#include "platform/PdfFile.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

TPdfFile::TPdfFile(const QString& path, double widthMm, double heightMm, int dpi)
    : m_path(path), m_dpi(dpi), m_writer(std::make_unique<QPdfWriter>(path))
{
    m_writer->setResolution(dpi);
    // Exactly the size asked for: a near standard size must not replace it.
    m_writer->setPageSize(QPageSize(QSizeF(widthMm, heightMm), QPageSize::Millimeter, QString(),
                                    QPageSize::ExactMatch));
    m_writer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    m_writer->setCreator(QStringLiteral("Wplatomat"));
    m_canvas.Begin(m_writer.get());
}

TPdfFile::~TPdfFile()
{
    Close();
}

void TPdfFile::NewPage()
{
    if (m_canvas.IsActive())
        m_writer->newPage();
}

void TPdfFile::Close()
{
    // The writer puts the file together when its painter ends.
    m_canvas.End();
    m_writer.reset();
}
