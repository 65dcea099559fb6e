#include "app/MainFormUnit.h"

#include "app/Shell_DDE.h"
#include "document/BlankEditorsAmount.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/Dde.h"
#include "platform/MainWindow.h"

#include <QApplication>
#include <QMessageBox>

void TMainForm::CreateDdeTopics()
{
    m_dde = new TDdeServer(DdeServiceName(QCoreApplication::applicationFilePath()), this);
    TDdeTopic shell;
    shell.OnExecuteMacro = [this](const QStringList& msg) { return ShellDdeServerConvExecuteMacro(msg); };
    m_dde->AddTopic(QStringLiteral("ShellDdeServerConv"), shell);
    TDdeTopic other;
    other.OnOpen = [this] { WplatomatDdeServerConvOpen(); };
    other.OnExecuteMacro = [this](const QStringList& msg) { return WplatomatDdeServerConvExecuteMacro(msg); };
    other.Items.insert(QStringLiteral("MakeDdeServerItem"),
                       [this](const QStringList& lines) { return MakeDdeServerItemPokeData(lines); });
    m_dde->AddTopic(QStringLiteral("WplatomatDdeServerConv"), other);
}

bool TMainForm::StartDdeService()
{
    return m_dde->Listen();
}

TDdeReply TMainForm::ShellDdeServerConvExecuteMacro(const QStringList& Msg)
{
    // No document may be destroyed without its question: wait for the answers.
    if (m_askingToClose)
        return {TDdeReply::Wait, QString()};
    QList<QStringList> commands;
    bool prints = false;
    for (const QString& line : Msg) {
        const QStringList items = SplitMacroLine(line);
        if (items.isEmpty())
            continue;
        commands << items;
        prints = prints || items[0].toLower() == QLatin1String("print");
    }
    // A print opens the print dialogs, which must not open over themselves.
    if (prints && m_showing && QApplication::activeModalWidget())
        return {TDdeReply::Wait, QString()};
    // Opened from the desktop, the document is to be seen: the window comes
    // forward, before a print's dialog holds the loop. With no command at all
    // (the menu's entry) that is all there is to do.
    if (m_showing)
        BringForward(*this);
    for (const QStringList& items : commands)
        DoShellCommand(items[0], items.value(1), items.mid(2).join(QLatin1Char(' ')));
    return {};
}

TDdeReply TMainForm::WplatomatDdeServerConvExecuteMacro(const QStringList& Msg)
{
    return MakeDepositForm(Msg);
}

TDdeReply TMainForm::MakeDdeServerItemPokeData(const QStringList& Lines)
{
    return MakeDepositForm(Lines);
}

void TMainForm::WplatomatDdeServerConvOpen()
{
    QMessageBox box(QMessageBox::NoIcon, QString(), QStringLiteral("Isok"), QMessageBox::Ok, this);
    box.exec();
}

TDdeReply TMainForm::MakeDepositForm(const QStringList& lines)
{
    if (m_askingToClose)
        return {TDdeReply::Wait, QString()};
    // The window comes first: a text that is no amount leaves it with its default.
    TfrmBlank* form = CreateBlankForm(bkTransfer, QString());
    if (!form)
        return {TDdeReply::Failed, QStringLiteral("Nie można utworzyć dokumentu.")};
    BringForward(*this);
    form->SetPrzelewWplata(pwWplata);
    form->SetEditorValue(EditorTags::Wplata, true);
    const QString text = lines.value(0);
    Currency amount = 0;
    if (!EditorTextToAmount(text.trimmed(), QLocale(), amount)) {
        const QString message = QStringLiteral("\"%1\" nie jest prawidłową kwotą.").arg(text);
        // After the reply: the client need not wait for the user's OK.
        QMetaObject::invokeMethod(this, [this, message] { ShowError(message); }, Qt::QueuedConnection);
        return {TDdeReply::Failed, message};
    }
    form->SetKwota(amount);
    form->SetEditorValue(EditorTags::Kwota, AmountToEditorText(form->Kwota(), QLocale()));
    return {};
}
