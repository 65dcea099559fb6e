#include "app/MainFormUnit.h"

#include "app/untNewBlank.h"
#include "drawing/untCommon.h"
#include "platform/Registry.h"
#include "ui_TMAINFORM.h"

#include <QFileInfo>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace {

// "&1", two blanks, the path: the digit is the item's access key.
constexpr int CaptionPrefixLength = 4;

QString SlotName(int n)
{
    return QStringLiteral("File%1").arg(n);
}

int IndexOf(const QStringList& list, const QString& path)
{
    for (int i = 0; i < list.size(); ++i)
        if (list[i].compare(path, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool Holds(const QStringList& list, const QString& path)
{
    return IndexOf(list, path) >= 0;
}

} // namespace

void TMainForm::LoadRecentFiles()
{
    TRegistry reg;
    if (!reg.OpenKey(AppRegistryKey(), true))
        return;
    FRecentFiles.clear();
    const int count = reg.ReadInteger(QStringLiteral("RecentFilesCount")).value_or(0);
    for (int n = 1; n <= RecentFilesMax; ++n) {
        if (!reg.ValueExists(SlotName(n)))
            continue;
        if (n > count) {
            reg.DeleteValue(SlotName(n));
            continue;
        }
        const QString path = reg.ReadString(SlotName(n)).value_or(QString());
        if (!path.isEmpty() && !Holds(FRecentFiles, path))
            FRecentFiles.append(path);
    }
}

void TMainForm::SaveRecentFiles()
{
    TRegistry reg;
    if (!reg.OpenKey(AppRegistryKey(), true))
        return;
    reg.WriteInteger(QStringLiteral("RecentFilesMax"), RecentFilesMax);
    reg.WriteInteger(QStringLiteral("RecentFilesCount"), int(FRecentFiles.size()));
    for (int i = 0; i < RecentFilesMax; ++i) {
        if (i < FRecentFiles.size())
            reg.WriteString(SlotName(i + 1), FRecentFiles[i]);
        else
            reg.DeleteValue(SlotName(i + 1));
    }
}

void TMainForm::UpdateRecentFiles(const QString& FileName)
{
    for (int n = 1; n <= RecentFilesMax; ++n) {
        delete findChild<QAction*>(QStringLiteral("MFile%1").arg(n));
        delete findChild<QAction*>(QStringLiteral("RFile%1").arg(n));
    }
    if (!FileName.isEmpty() && !Holds(FRecentFiles, FileName)) {
        FRecentFiles.insert(0, FileName);
        SaveRecentFiles();
    }
    for (int n = 1; n <= RecentFilesMax && n <= FRecentFiles.size(); ++n) {
        // An "&" of the path itself must show as one, not mark an access key.
        QString shown = FRecentFiles[n - 1];
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString caption = QStringLiteral("&%1  %2").arg(n).arg(shown);
        for (const auto& [prefix, menu] : {std::pair{QStringLiteral("MFile"), ui->MenuFile},
                                          std::pair{QStringLiteral("RFile"), m_reOpenMenu}}) {
            auto* item = new QAction(caption, this);
            item->setObjectName(prefix + QString::number(n));
            item->setData(FRecentFiles[n - 1]);
            connect(item, &QAction::triggered, this, [this, item] { RecentFileClick(item); });
            menu->addAction(item);
        }
    }
    // The Open button's arrow stays, but with no items it holds no menu: an
    // empty one would show nothing yet hold the next click and key.
    if (auto* open = qobject_cast<QToolButton*>(ui->ToolBar1->widgetForAction(ui->FileOpen)))
        open->setMenu(m_reOpenMenu->isEmpty() ? nullptr : m_reOpenMenu);
}

void TMainForm::RecentFileClick(QAction* item)
{
    if (!item)
        return;
    const QString path = item->data().isValid() ? item->data().toString() : item->text().mid(CaptionPrefixLength);
    const int at = IndexOf(FRecentFiles, path);
    if (at >= 0)
        FRecentFiles.removeAt(at);
    if (!QFileInfo::exists(path))
        ShowNotice(QStringLiteral("Plik o tej nazwie został skasowany lub przeniesiony."));
    else
        OpenFile(path);
    if (TfrmNewBlank* chooser = frmNewBlank(); chooser && chooser->isVisible())
        chooser->reject();
}
