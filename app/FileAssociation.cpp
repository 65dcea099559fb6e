#include "app/FileAssociation.h"

#include "app/CommaText.h"

#include <QCollator>
#include <QTableWidget>
#include <QTreeWidget>

namespace {

constexpr int CapacityStep = 10;
constexpr int KeyLength = 5; // "name=", "desc=", ...

// The verb and its option as one quoted pair, read back by AddCommandCSV.
QString QuotedPair(const TCommand& c)
{
    return QuotedItem(c.Command) + QLatin1Char(',') + QuotedItem(c.Option);
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text)
{
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

} // namespace

QString TFileAssociation::LowerAZ(const QString& text)
{
    QString lower = text;
    for (QChar& c : lower)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return lower;
}

TFileAssociation::TFileAssociation() = default;

TFileAssociation TFileAssociation::CreateFrom(const QString& csvValue)
{
    TFileAssociation a;
    const QStringList items = SplitCommaText(csvValue);
    for (auto it = items.crbegin(); it != items.crend(); ++it) {
        QString value;
        switch (ParseConfigItem(*it, value)) {
        case 1: a.fName = value; break;
        case 2: a.fDescription = value; break;
        case 3: a.fExts = SplitCommaText(value); break;
        case 4: a.AddCommandCSV(value); break;
        case 5: a.fOwnAssociation = LowerAZ(value) == QLatin1String("true"); break;
        case 6: {
            bool ok = false;
            const int icon = value.toInt(&ok, 10);
            if (ok)
                a.fIconIndex = icon;
            break;
        }
        default: break;
        }
    }
    return a;
}

int TFileAssociation::ParseConfigItem(const QString& Item, QString& Value)
{
    static const QLatin1String keys[] = {QLatin1String("name="), QLatin1String("desc="), QLatin1String("exts="),
                                         QLatin1String("cmds="), QLatin1String("owns="), QLatin1String("icon=")};
    Value = Item.mid(KeyLength);
    const QString key = LowerAZ(Item.left(KeyLength));
    for (int i = 0; i < int(std::size(keys)); ++i)
        if (key == keys[i])
            return i + 1;
    return 0;
}

QString TFileAssociation::GetCSVConfig() const
{
    QStringList lines = {QStringLiteral("Name=") + fName, QStringLiteral("Desc=") + fDescription,
                         QStringLiteral("Exts=") + JoinCommaText(fExts),
                         fOwnAssociation ? QStringLiteral("Owns=True") : QStringLiteral("Owns=False"),
                         QStringLiteral("Icon=") + QString::number(fIconIndex)};
    for (int i = 0; i < fCount; ++i)
        lines << QStringLiteral("cmds=") + QuotedPair(fCommands[size_t(i)]);
    return JoinCommaText(lines);
}

int TFileAssociation::FindInsertPos(const QString& Command) const
{
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    int p = 0;
    while (p < fCount && collator.compare(fCommands[size_t(p)].Command, Command) < 0)
        ++p;
    return p;
}

int TFileAssociation::AddCommand(const QString& Command, const QString& Option)
{
    if (Command.isEmpty())
        return -1;
    const int p = FindInsertPos(Command);
    if (p < fCount && LowerAZ(fCommands[size_t(p)].Command) == LowerAZ(Command)) {
        fCommands[size_t(p)] = {Command, Option};
        return p;
    }
    if (fCapacity <= fCount) {
        fCapacity += CapacityStep;
        fCommands.resize(size_t(fCapacity));
    }
    std::move_backward(fCommands.begin() + p, fCommands.begin() + fCount, fCommands.begin() + fCount + 1);
    ++fCount;
    fCommands[size_t(p)] = {Command, Option};
    return p;
}

int TFileAssociation::AddCommandCSV(const QString& text)
{
    const QStringList items = SplitCommaText(text);
    if (items.isEmpty())
        return -1;
    return AddCommand(items.at(0), items.value(1));
}

int TFileAssociation::Index(const QString& Command) const
{
    const int p = FindInsertPos(Command);
    return p < fCount && LowerAZ(fCommands[size_t(p)].Command) == LowerAZ(Command) ? p : -1;
}

bool TFileAssociation::Delete(int Idx)
{
    if (Idx < 0 || Idx >= fCount)
        return false;
    std::move(fCommands.begin() + Idx + 1, fCommands.begin() + fCount, fCommands.begin() + Idx);
    --fCount;
    return true;
}

bool TFileAssociation::DeleteCommand(const QString& Command)
{
    return Delete(Index(Command));
}

void TFileAssociation::FillCmdGrid(QTableWidget* CmdGrid) const
{
    if (!CmdGrid)
        return;
    CmdGrid->setColumnCount(std::max(CmdGrid->columnCount(), 2));
    // Row 0 holds the grid's titles.
    CmdGrid->setRowCount(std::max(fCount, 1) + 1);
    if (fCount == 0)
        for (int column = 0; column < CmdGrid->columnCount(); ++column)
            SetCell(CmdGrid, 1, column, QString());
    for (int i = 0; i < fCount; ++i) {
        SetCell(CmdGrid, i + 1, 0, fCommands[size_t(i)].Command);
        SetCell(CmdGrid, i + 1, 1, fCommands[size_t(i)].Option);
    }
}

void TFileAssociation::GetFromCmdGrid(const QTableWidget* CmdGrid)
{
    fCount = 0;
    if (!CmdGrid)
        return;
    auto cell = [CmdGrid](int row, int column) {
        const QTableWidgetItem* item = CmdGrid->item(row, column);
        return item ? item->text() : QString();
    };
    for (int row = CmdGrid->rowCount() - 1; row >= 1; --row) {
        if (cell(row, 0).isEmpty())
            continue;
        QStringList cells;
        for (int column = 0; column < CmdGrid->columnCount(); ++column)
            cells << cell(row, column);
        AddCommandCSV(JoinCommaText(cells));
    }
}

QTreeWidgetItem* TFileAssociation::DisplayOnListView(QTreeWidget* ListView)
{
    if (!ListView)
        return nullptr;
    QStringList verbs;
    for (int i = 0; i < fCount; ++i)
        verbs << fCommands[size_t(i)].Command;
    auto* item = new QTreeWidgetItem(ListView, {fName, fDescription,
                                                fOwnAssociation ? QStringLiteral("Yes") : QStringLiteral("No"),
                                                JoinCommaText(fExts), QString::number(fIconIndex),
                                                verbs.join(QStringLiteral(", "))});
    item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(this)));
    return item;
}
