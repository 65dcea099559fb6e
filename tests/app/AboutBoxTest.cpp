#include "app/AboutBoxUnit.h"
#include "helpers/PixelProbe.h"
#include "platform/JpegImage.h"
#include "platform/MainWindow.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

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
    TAboutBox* box = new TAboutBox;
    SetMainWindow(nullptr);
    // Half of -217 and of -75, truncated toward zero.
    EXPECT_EQ(box->frameGeometry(), QRect(300 - 108, 300 - 37, 418, 176));
    const auto label = [box](const char* name) { return box->findChild<QLabel*>(name); };
    EXPECT_EQ(label("lblVersion")->text(), QStringLiteral("Wersja: 1.15.153"));
    EXPECT_EQ(label("lblVersion")->geometry().right() + 1, 401);
    EXPECT_EQ(label("Label1")->text(),
              QStringLiteral("Program przeznaczony do drukowania blankietów wpłat i przelewów."));
    // Stand-in faces are wider: the address and the wrapped description are shown whole.
    EXPECT_GE(label("lblURL")->width(), label("lblURL")->sizeHint().width());
    EXPECT_GE(label("Label1")->height(), label("Label1")->heightForWidth(label("Label1")->width()));
    box->show();
    QFile file(QStringLiteral(":/AboutBox.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray jpeg = file.readAll();
    const QImage shown = box->grab().toImage(), picture = DecodeJpeg(jpeg);
    ASSERT_EQ(picture.size(), QSize(412, 170));
    EXPECT_EQ(PixelAt(shown, 3, 3), PixelAt(picture, 0, 0));
    EXPECT_EQ(PixelAt(shown, 414, 172), PixelAt(picture, 411, 169));
    // A picture cut short is not shown: the frames under it show.
    box->LoadPicture(jpeg.left(jpeg.size() / 2));
    const QImage bare = box->grab().toImage();
    const struct { int x, y; TColor color; } probes[] = {
                  {0, 0, 0xFFDDFF},   {416, 0, 0xFFDDFF},   {417, 0, 0x550055},   {0, 175, 0x550055},
                  {0, 174, 0xFFDDFF}, {1, 1, 0xFFDDFF},     {416, 1, 0x550055},   {200, 174, 0x550055},
                  {2, 2, 0x663366},   {2, 172, 0x663366},   {415, 2, 0xCC88CC},   {2, 173, 0xCC88CC},
                  {4, 4, 0xDDDDDD},   {6, 6, 0xDDDDDD},     {413, 4, 0xF2F2F2},   {7, 169, 0xF2F2F2}};
    for (const auto& p : probes)
        EXPECT_EQ(PixelAt(bare, p.x, p.y), p.color) << DescribePixel(bare, p.x, p.y).toStdString();
    delete box;
}

TEST(AboutBox, ClosesAndFreesItselfOnAnyClickEnterOrEscButTheAddressOpensThePage)
{
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &recorder, "open");
    const struct {
        const char* what;
        QPoint click; // or the key
        int key;
    } cases[] = {{"frame", {1, 1}, 0},       {"picture", {250, 80}, 0}, {"description", {40, 130}, 0},
                 {"version", {395, 48}, 0},  {"OK", {360, 140}, 0},     {"Enter", {}, Qt::Key_Return},
                 {"Esc", {}, Qt::Key_Escape}, {"address", {40, 105}, 0}};
    for (const auto& c : cases) {
        QPointer<TAboutBox> box = new TAboutBox;
        box->show();
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        QWidget* target = c.key ? box->focusWidget() : box->childAt(c.click);
        target = target ? target : box.data();
        if (c.key)
            QTest::keyClick(target, Qt::Key(c.key));
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(box.data(), c.click));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(box.isNull(), qstrcmp(c.what, "address") != 0) << c.what;
        delete box;
    }
    EXPECT_EQ(recorder.urls, QList<QUrl>{QUrl(QStringLiteral("http://www.wplatomat.example"))});
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    // The main window's way: modal, then gone.
    QTimer::singleShot(0, [] { QTest::keyClick(AboutBox(), Qt::Key_Escape); });
    ShowAboutBox(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AboutBox(), nullptr);
}

#include "AboutBoxTest.moc"
