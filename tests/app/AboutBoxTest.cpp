#include "MainFormTestSupport.h"

#include "app/AboutBoxUnit.h"
#include "app/info.h"
#include "helpers/ByteBuilder.h"
#include "helpers/PixelProbe.h"
#include "platform/JpegImage.h"
#include "platform/MainWindow.h"

#include <QDesktopServices>
#include <QLabel>

namespace {

using MainFormTest::WriteBytes;

class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

const char* const Names[] = {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                             "LegalTradeMarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"};

// A little-endian ELF64 file: header, the table, the section names, then the
// null, table and names section headers, as the ELF tables lay them out.
QByteArray ElfWithTable(const QByteArray& table)
{
    const QByteArray names = QByteArray(1, '\0') + ".wplatomat.version" + '\0' + ".shstrtab" + '\0';
    const qint64 namesAt = 64 + table.size();
    const qint64 headersAt = namesAt + names.size();
    ByteBuilder elf;
    elf.Raw("\x7f" "ELF").U8(2).U8(1).U8(1).Raw(QByteArray(9, '\0')).U16(2).U16(62).U32(1);
    elf.I64(0).I64(0).I64(headersAt).U32(0).U16(64).U16(56).U16(0).U16(64).U16(3).U16(2);
    elf.Raw(table).Raw(names).Raw(QByteArray(64, '\0'));
    elf.U32(1).U32(1).I64(2).I64(0).I64(64).I64(table.size()).U32(0).U32(0).I64(1).I64(0);
    elf.U32(20).U32(3).I64(0).I64(0).I64(namesAt).I64(names.size()).U32(0).U32(0).I64(1).I64(0);
    return elf.Bytes();
}

TEST(InfoExe, ExecuteFillsTheValuesFromAVersionTableAndLeavesThemForAFileWithout)
{
    QTemporaryDir dir;
    // FileVersion is missing between two names that have texts.
    const char pairs[] = "StringFileInfo\\041504E2\\FileDescription\0Opis\0"
                         "StringFileInfo\\041504E2\\InternalName\0wplatomat\0";
    const QByteArray lacking = ElfWithTable(QByteArray(pairs, sizeof pairs - 1));
    const struct { QString file; QByteArray bytes; const char* langId; const char* values; } cases[] = {
        {QCoreApplication::applicationFilePath(), {}, "0415", "||1.15.0.153||||||1.0.0.0|"},
        {QCoreApplication::applicationFilePath(), {}, "0409", "|||||||||"},
        {dir.filePath("lacking"), lacking, "0415", "|Opis||wplatomat||||||"},
        {dir.filePath("cut"), lacking.left(lacking.size() - 1), "0415", "x|x|x|x|x|x|x|x|x|x"},
        {"/bin/sh", {}, "0415", "x|x|x|x|x|x|x|x|x|x"},
        {dir.filePath("missing"), {}, "0415", "x|x|x|x|x|x|x|x|x|x"},
    };
    for (const auto& c : cases) {
        if (!c.bytes.isEmpty())
            WriteBytes(c.file, c.bytes);
        TEPInfoExe info;
        EXPECT_EQ(info.LangId(), "0415");
        EXPECT_EQ(info.ExeName(), "");
        for (const char* name : Names)
            info.setProperty(name, "x");
        info.SetExeName(c.file);
        info.SetLangId(c.langId);
        info.Execute();
        QStringList values;
        for (const char* name : Names)
            values << info.property(name).toString();
        EXPECT_EQ(values.join(u'|'), c.values) << c.file.toStdString();
    }
}

TEST(AboutBox, VersionCaptionShowsTheFirstSecondAndFourthNumberOrTheTextAsItIs)
{
    const char* const cases[][2] = {
        {"1.15.0.153", "Wersja: 1.15.153"}, {"2.5.0.7", "Wersja: 2.05.7"},     {"3.4.5.6.7", "Wersja: 3.04.6"},
        {"1.15.beta.3", "Wersja: 1.15.beta.3"}, {"1.2.3", "Wersja: 1.2.3"}, {"", "Wersja: "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(VersionCaption(c[0]), c[1]) << c[0];
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
    EXPECT_EQ(label("lblVersion")->text(), "Wersja: 1.15.153");
    EXPECT_EQ(label("lblVersion")->geometry().right() + 1, 401);
    EXPECT_EQ(label("Label1")->text(), "Program przeznaczony do drukowania blankietów wpłat i przelewów.");
    // Stand-in faces are wider: the address and the wrapped description are shown whole.
    EXPECT_GE(label("lblURL")->width(), label("lblURL")->sizeHint().width());
    EXPECT_GE(label("Label1")->height(), label("Label1")->heightForWidth(label("Label1")->width()));
    box->show();
    QFile file(":/AboutBox.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray jpeg = file.readAll();
    const QImage shown = box->grab().toImage();
    const QImage picture = DecodeJpeg(jpeg);
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
    QDesktopServices::setUrlHandler("http", &recorder, "open");
    const struct {
        const char* what;
        QPoint click; // or the key
        int key;
    } cases[] = {{"frame", {1, 1}, 0}, {"picture", {250, 80}, 0}, {"OK", {360, 140}, 0},
                 {"Enter", {}, Qt::Key_Return}, {"Esc", {}, Qt::Key_Escape}, {"address", {40, 105}, 0}};
    for (const auto& c : cases) {
        QPointer<TAboutBox> box = new TAboutBox;
        box->show();
        box->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        QWidget* target = c.key ? box->focusWidget() : box->childAt(c.click);
        if (!target)
            target = box.data();
        if (c.key)
            QTest::keyClick(target, Qt::Key(c.key));
        else
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(box.data(), c.click));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(box.isNull(), qstrcmp(c.what, "address") != 0) << c.what;
        delete box;
    }
    EXPECT_EQ(recorder.urls, QList<QUrl>{QUrl("http://www.wplatomat.example")});
    QDesktopServices::unsetUrlHandler("http");
    // The main window's way: modal, then gone.
    QTimer::singleShot(0, [] { QTest::keyClick(AboutBox(), Qt::Key_Escape); });
    ShowAboutBox(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(AboutBox(), nullptr);
}

} // namespace

#include "AboutBoxTest.moc"
