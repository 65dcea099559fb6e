#pragma once

#include "drawing/BlankData.h"
#include "drawing/untBlankObj.h"

#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>

class QColorDialog;
class QTimer;

namespace Ui {
class TFRMBLANK;
}

// One payment form document and the window that shows it: the editor panel
// on the left, the zoomable preview on the right. Meant to live in an MDI
// sub-window of the main window. The window calls the layouts with its data
// and its drawing object; they never see the window.
class TfrmBlank : public QWidget {
    Q_OBJECT
public:
    // A new document of the kind, with the kind's colours from the registry.
    TfrmBlank(QWidget* AOwner, quint16 AKind);
    // A document read from a file; a file that cannot be read closes the window.
    TfrmBlank(QWidget* AOwner, const QString& FileName);
    explicit TfrmBlank(QWidget* AOwner = nullptr);
    ~TfrmBlank() override;

    quint16 Kind() const { return F.FKind; }
    TColor KolTekst() const { return F.FKolTekst; }
    TColor KolForm() const { return F.FKolForm; }
    Currency Kwota() const { return F.FKwota; }
    void SetKwota(Currency value);
    QStringList& Nadawca() { return F.FNadawca; }
    QStringList& Bank() { return F.FBank; }
    QStringList& Odbiorca() { return F.FOdbiorca; }
    QStringList& Tytul() { return F.FTytul; }
    const QStringList& Nadawca() const { return F.FNadawca; }
    const QStringList& Bank() const { return F.FBank; }
    const QStringList& Odbiorca() const { return F.FOdbiorca; }
    const QStringList& Tytul() const { return F.FTytul; }
    const QString& NadRach() const { return F.FNadRach; }
    const QString& NadKod() const { return F.FNadKod; }
    const QString& NadAdres() const { return F.FNadAdres; }
    const QString& NadPoczta() const { return F.FNadPoczta; }
    const QString& NadNIP() const { return F.FNadNIP; }
    const QString& NadId2() const { return F.FNadId2; }
    const QString& NadDeklaracja() const { return F.FNadDeklaracja; }
    const QString& NadNrDecyzji() const { return F.FNadNrDecyzji; }
    const QString& NadOkres() const { return F.FNadOkres; }
    const QString& NadSymbolForm() const { return F.FNadSymbolForm; }
    const QString& NadIdZobow() const { return F.FNadIdZobow; }
    const QString& OdbRach() const { return F.FOdbRach; }
    const QString& OdbKod() const { return F.FOdbKod; }
    const QString& OdbAdres() const { return F.FOdbAdres; }
    const QString& OdbPoczta() const { return F.FOdbPoczta; }
    QChar NadTypId2() const { return F.FNadTypId2; }
    QChar NadTypWplaty() const { return F.FNadTypWplaty; }
    quint8 NadNrDeklar() const { return F.FNadNrDeklar; }
    TPrzelewWplata PrzelewWplata() const { return F.FPrzelewWplata; }
    void SetPrzelewWplata(TPrzelewWplata value) { F.FPrzelewWplata = value; }
    bool MalePokwit() const { return F.FMalePokwit; }
    const TBlankData& Data() const { return F; }

    int PixelsPerInch() const { return FDPI; }
    void SetPixelsPerInch(int v);
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& path);
    TBlankSide ViewSide() const { return FBlankSide; }
    void SetViewSide(TBlankSide side);
    bool Modified() const { return FModified; }
    void SetModified(bool value);
    bool NeedRefresh() const { return FNeedRefresh; }

    // Called by every write of Modified, also when the value stays the same.
    std::function<void(TfrmBlank*)> OnModifiedChange;
    // Asked before the window closes; false keeps it open.
    std::function<bool(TfrmBlank*)> OnCloseQuery;

    // The drawing object of this document; the layouts draw through it.
    TBlankObj BlankObj;

    // The reader's message when the file constructor could not read its file
    // (the window has closed itself then); empty otherwise.
    const QString& LoadError() const { return FLoadError; }
    // The window has accepted its close and is on its way out.
    bool IsClosing() const { return FClosing; }

    // Writes the document to FileName in the current format; throws Exception,
    // ESaveElsewhere where the old file could only be overwritten in place.
    void Save();
    // Reads FileName into the document; throws Exception.
    void Load();
    void Print();

    // The editor of a field tag, for the main window and tests.
    QWidget* EditorOfTag(int tag) const;
    QVariant GetEditorValue(int tag) const;
    void SetEditorValue(int tag, const QVariant& value);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Construct();
    void InitData();
    void ReadKindColors();
    void SaveColors();

    // Editor panel.
    void CreateEditors();
    void EditorChange(QObject* sender);
    void DataToEditors();
    void ColorPanelClick(QWidget* sender);

    // Preview.
    void FormResize();
    void PaintBoxPaint();
    void Timer1Timer();
    void PaintBoxMouseDown(Qt::MouseButton button, QPoint pos);
    void PaintBoxMouseMove(QPoint pos);
    void PaintBoxMouseUp(Qt::MouseButton button, QPoint pos);
    void WritePreviewPosition();
    void UpdatePreviewArea();
    void RepaintPreview();
    void FitFrameToPage(QSize page);
    QWidget* Frame();
    // Editors stretch with the panel: their right margin is kept.
    void StretchEditors();

    std::unique_ptr<Ui::TFRMBLANK> ui;
    QTimer* Timer1 = nullptr;
    QColorDialog* ColorDialog = nullptr;

    TBlankData F;
    int FDPI = 0;
    // The frame the window was last fitted into; only compared, never used.
    const QWidget* FFittedFrame = nullptr;
    QString FFileName;
    TBlankSide FBlankSide = bsTop;
    bool FModified = false;
    bool FNeedRefresh = false;
    int DragX = 0;
    int DragY = 0;
    bool Dragging = false;
    QString FLoadError;
    bool FClosing = false;
};
