#pragma once

#include <QDialog>

#include <memory>

class TEPInfoExe;

namespace Ui {
class TAboutBox;
}

// The borderless about box: picture, version, description and the program's
// page. Any click but on the address, Enter or Esc closes it, and it frees
// itself on closing.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

    // Shows the JPEG image as the box's picture; one that cannot be decoded
    // leaves the box without a picture.
    void LoadPicture(const QByteArray& jpeg);

    // Owned by the box, so freed with it.
    TEPInfoExe* InfoExe = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormClick();
    void lblURLClick();

    std::unique_ptr<Ui::TAboutBox> ui;
};

// "Wersja: a.bb.d" from a FileVersion "a.b.c.d[...]"; any other text follows
// "Wersja: " as it is.
QString VersionCaption(const QString& FileVersion);

// Makes a new box over the main window and shows it modally.
void ShowAboutBox(QWidget* parent);
// The box last made, while it is open.
TAboutBox* AboutBox();
