#include "app/MainFormUnit.h"

#include "app/Shell_DDE.h"
#include "document/BlankEditorsAmount.h"
#include "document/BlankEditorsTags.h"
#include "document/BlankFormUnit.h"
#include "drawing/Exception.h"
#include "platform/Dde.h"
#include "platform/DdeProtocol.h"
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
    // The program still serves its user's own windows; only the desktop's requests go unheard.
    if (!m_dde->Listen()) {
        qWarning("Usługa DDE nie działa: %s", qUtf8Printable(m_dde->ErrorString()));
        return false;
    }
    return true;
}

TDdeReply TMainForm::ShellDdeServerConvExecuteMacro(const QStringList& Msg)
{
    // No document may be destroyed without its question: wait for the answers.
    if (m_askingToClose)
        return {TDdeReply::Wait, QString()};
    QList<QStringList> commands;
    bool prints = false;
    // The menu's entry sends no line at all: coming forward is all it asks.
    bool forward = Msg.isEmpty();
    for (const QString& line : Msg) {
        const QStringList items = SplitMacroLine(line);
        if (items.isEmpty())
            continue;
        commands << items;
        const QString command = items[0].toLower();
        prints = prints || command == QLatin1String("print");
        forward = forward || ((command == QLatin1String("open") || command == QLatin1String("print"))
                              && !items.value(1).isEmpty());
    }
    // A print opens the print dialogs, which must not open over themselves.
    if (prints && m_showing && QApplication::activeModalWidget())
        return {TDdeReply::Wait, QString()};
    // Opened from the desktop, the document is to be seen: the window comes
    // forward, before a print's dialog holds the loop. A macro that does
    // nothing leaves the desktop as it is.
    if (forward && m_showing)
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
    // Modal, as a message box is, but shown without a loop of its own: a client calling in a loop would
    // otherwise stack one box's loop inside the last until the stack ran out.
    // No more boxes at once than conversations the service takes at once: a
    // program that talks to us needs no more, and past that every box is one
    // more window that a runaway script would have the user close.
    m_isokBoxes.removeAll(nullptr);
    if (m_isokBoxes.size() >= DdeLimits::MaxConnections)
        return;
    auto* box = new QMessageBox(QMessageBox::NoIcon, QString(), QStringLiteral("Isok"), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    m_isokBoxes << box;
    box->show();
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
