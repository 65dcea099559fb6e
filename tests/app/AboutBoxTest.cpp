#include "app/AboutBoxUnit.h"
#include "app/ProgramWebAddress.h"
#include "helpers/PixelProbe.h"
#include "platform/JpegImage.h"
#include "platform/MainWindow.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

QString Text(TAboutBox* box, const char* label)
{
    return box->findChild<QLabel*>(label)->text();
}

QByteArray Picture()
{
    QFile file(QStringLiteral(":/AboutBox.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(AboutBox, VersionCaptionShowsTheFirstSecondAndFourthNumberOrTheTextAsItIs)
{
    const char* const cases[][2] = {
        {"1.15.0.153", "Wersja: 1.15.153"}, {"2.5.0.7", "Wersja: 2.05.7"},     {"3.4.5.6.7", "Wersja: 3.04.6"},
        {"1.15.beta.3", "Wersja: 1.15.beta.3"}, {"1.2.3", "Wersja: 1.2.3"}, {"", "Wersja: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionCaption(QString::fromLatin1(c[0])), QString::fromLatin1(c[1])) << c[0];
}

TEST(AboutBox, ShowsItsTextsFramesAndPictureCentredOverASmallerMainWindow)
{
    QWidget main;
    main.setGeometry(300, 300, 201, 101);
    SetMainWindow(&main);
    QPointer<TAboutBox> box = new TAboutBox;
    SetMainWindow(nullptr);
    // Half of -217 and of -75, truncated toward zero.
    EXPECT_EQ(box->frameGeometry(), QRect(300 - 108, 300 - 37, 418, 176));
    EXPECT_EQ(Text(box, "lblVersion"), QStringLiteral("Wersja: 1.15.153"));
    EXPECT_EQ(box->findChild<QLabel*>("lblVersion")->geometry().right() + 1, 401);
    EXPECT_EQ(Text(box, "Label1"), QStringLiteral("Program przeznaczony do drukowania blankietów wpłat i przelewów."));
    EXPECT_EQ(box->findChild<QPushButton*>("Button1")->text(), QStringLiteral("OK"));
    EXPECT_EQ(Text(box, "lblURL"), ProgramWebAddress);
    // Stand-in faces are wider: the address and the wrapped description are shown whole.
    const QLabel* address = box->findChild<QLabel*>("lblURL");
    const QLabel* description = box->findChild<QLabel*>("Label1");
    EXPECT_GE(address->width(), address->sizeHint().width());
    EXPECT_GE(description->height(), description->heightForWidth(description->width()));
    box->show();
    const QImage shown = box->grab().toImage();
    const QImage picture = DecodeJpeg(Picture());
    ASSERT_EQ(picture.size(), QSize(412, 170));
    EXPECT_EQ(PixelAt(shown, 3, 3), PixelAt(picture, 0, 0));
    EXPECT_EQ(PixelAt(shown, 414, 172), PixelAt(picture, 411, 169));
    // A picture cut short, or cut inside its headers, is not shown: the inner frame shows instead.
    for (const int keep : {int(Picture().size()) / 2, 100}) {
        EXPECT_TRUE(DecodeJpeg(Picture().left(keep)).isNull()) << keep;
        box->LoadPicture(Picture().left(keep));
        const QImage bare = box->grab().toImage();
        const struct {
            int x, y;
            TColor color;
        } probes[] = {{0, 0, 0xFFDDFF},   {416, 0, 0xFFDDFF},   {417, 0, 0x550055},   {0, 175, 0x550055},
                      {0, 174, 0xFFDDFF}, {1, 1, 0xFFDDFF},     {416, 1, 0x550055},   {200, 174, 0x550055},
                      {2, 2, 0x663366},   {2, 172, 0x663366},   {415, 2, 0xCC88CC},   {2, 173, 0xCC88CC},
                      {4, 4, 0xDDDDDD},   {6, 6, 0xDDDDDD},     {413, 4, 0xF2F2F2},   {7, 169, 0xF2F2F2}};
        for (const auto& p : probes)
            EXPECT_EQ(PixelAt(bare, p.x, p.y), p.color) << DescribePixel(bare, p.x, p.y).toStdString();
    }
    delete box;
}

TEST(AboutBox, ClosesAndFreesItselfOnAnyClickEnterOrEscButTheAddressOpensThePage)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    const struct {
        const char* what;
        QPoint click; // none: the key instead
        int key;
        bool closes;
    } cases[] = {
        {"frame", {1, 1}, 0, true},       {"picture", {250, 80}, 0, true}, {"description", {40, 130}, 0, true},
        {"version", {395, 48}, 0, true},  {"OK", {360, 140}, 0, true},     {"Enter", {}, Qt::Key_Return, true},
        {"Esc", {}, Qt::Key_Escape, true}, {"address", {40, 105}, 0, false},
    };
    for (const auto& c : cases) {
        QPointer<TAboutBox> box = new TAboutBox;
        box->show();
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        QWidget* target = box->childAt(c.click);
        if (c.key)
            QTest::keyClick(box->focusWidget(), Qt::Key(c.key));
        else
            QTest::mouseClick(target ? target : box.data(), Qt::LeftButton, {},
                              target ? target->mapFrom(box.data(), c.click) : c.click);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(box.isNull(), c.closes) << c.what;
        delete box;
    }
    EXPECT_EQ(recorder.urls, QList<QUrl>{QUrl(QStringLiteral("http://www.example.org/wplatomat"))});
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    // The main window's way: modal, then gone.
    QTimer::singleShot(0, [] { QTest::keyClick(AboutBox(), Qt::Key_Escape); });
    ShowAboutBox(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AboutBox(), nullptr);
}

#include "AboutBoxTest.moc"
