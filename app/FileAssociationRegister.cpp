#include "app/FileAssociation.h"

#include "platform/QuestionBox.h"
#include "platform/Registry.h"

#include <QApplication>
#include <QFileInfo>

namespace {

// The current user's half of the merged classes root.
const QString OldValue = QStringLiteral("Old Value");
const QChar Blank = QLatin1Char(' ');

// A value that cannot be read as text or written ends the registration.
struct RegistryFailure {
    QString reason;
};

QString Quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// The type's key is deleted and rebuilt: a name that is not one key's name
// would reach the classes key itself or keys of others.
bool IsKeyName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('\\'));
}

bool AskOverride(const QString& ext)
{
    const QString question = QStringLiteral("Override File type for ext ") + Quoted(ext);
    return AskQuestion(QApplication::activeWindow(), QMessageBox::Question,
                       QStringLiteral("Override File Association"), question, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

} // namespace

class TFileAssociation::ClassesWriter {
public:
    ClassesWriter() { reg.SetRootKey(HKEY_CLASSES_ROOT); }
    TRegistry reg;
    bool complete = true;

    // A key that does not open is skipped with everything under it.
    bool Open(const QString& key, bool canCreate)
    {
        const bool opened = reg.OpenKey(key, canCreate);
        complete = complete && opened;
        return opened;
    }
    QString Read(const QString& name) const
    {
        const std::optional<QString> text = reg.ReadString(name);
        if (!text)
            throw RegistryFailure{reg.LastError()};
        return *text;
    }
    void Write(const QString& name, const QString& value)
    {
        if (!reg.WriteString(name, value))
            throw RegistryFailure{reg.LastError()};
    }
    // Opens the key, creating it, and sets its default value.
    bool Put(const QString& key, const QString& value)
    {
        if (!Open(key, true))
            return false;
        Write(QString(), value);
        return true;
    }
};

QString TFileAssociation::CommandLine() const
{
    // Only the option is trimmed: the path stays exactly the file that runs.
    const QString option = fBlankStartOpt.trimmed();
    const QString exe = QCoreApplication::applicationFilePath();
    return option.isEmpty() ? exe : exe + Blank + option;
}

bool TFileAssociation::RegisterAssociation(const QString& Topic, bool AutoReplace)
{
    if (!IsKeyName(fName))
        return false;
    ClassesWriter reg;
    try {
        return WriteRegistration(reg, Topic, AutoReplace);
    } catch (const RegistryFailure& failure) {
        qWarning("File type %s not registered: %s", qUtf8Printable(fName), qUtf8Printable(failure.reason));
        return false;
    }
}

bool TFileAssociation::WriteRegistration(ClassesWriter& reg, const QString& Topic, bool AutoReplace)
{
    for (auto ext = fExts.crbegin(); ext != fExts.crend(); ++ext) {
        const QString extKey = QStringLiteral("\\.") + *ext;
        bool replace = true;
        if (reg.reg.OpenKey(extKey, false)) {
            const QString old = reg.Read(QString());
            replace = AutoReplace || old == fName || AskOverride(*ext);
            // Keeping the former owner is a courtesy: failing it stops nothing.
            if (!old.isEmpty() && old != fName && !reg.reg.ValueExists(OldValue))
                reg.reg.WriteString(OldValue, old);
            reg.reg.CloseKey();
        }
        if (replace)
            reg.Put(extKey, fName);
    }

    const QString typeKey = QLatin1Char('\\') + fName;
    if (fOwnAssociation && reg.reg.KeyExists(typeKey))
        reg.complete = reg.reg.DeleteKey(typeKey) && reg.complete;
    const QString exe = QCoreApplication::applicationFilePath();
    const QString appName = QFileInfo(exe).completeBaseName();
    if (!reg.Open(typeKey, fOwnAssociation))
        return false;
    if (fOwnAssociation) {
        reg.Write(QString(), fDescription.isEmpty() ? fName : fDescription);
        reg.Put(typeKey + QStringLiteral("\\DefaultIcon"), exe + QLatin1Char(',') + QString::number(fIconIndex));
    }
    if (!reg.Open(typeKey + QStringLiteral("\\shell"), true))
        return false;
    if (fCount == 0 && fOwnAssociation)
        AddFileOpen(QString());

    const QString commandLine = CommandLine();
    for (int i = 0; i < fCount; ++i) {
        const TCommand& c = fCommands[size_t(i)];
        const QString key = typeKey + QStringLiteral("\\shell\\") + c.Command;
        const QString verb = c.Command.contains(Blank) ? Quoted(c.Command) : c.Command;
        const QString option = c.Option.isEmpty() ? QString() : Blank + Quoted(c.Option);
        reg.Put(key + QStringLiteral("\\Command"), commandLine);
        if (reg.Put(key + QStringLiteral("\\ddeexec"),
                    QLatin1Char('[') + verb + Blank + Quoted(QStringLiteral("%1")) + option + QLatin1Char(']'))) {
            reg.Put(key + QStringLiteral("\\ddeexec\\Application"), appName);
            reg.Put(key + QStringLiteral("\\ddeexec\\Topic"), Topic);
        }
        reg.reg.CloseKey();
    }
    return reg.complete;
}

bool TFileAssociation::UnRegisterAssociation()
{
    if (!IsKeyName(fName))
        return false;
    TRegistry reg;
    reg.SetRootKey(HKEY_CLASSES_ROOT);
    bool result = true;
    for (auto ext = fExts.crbegin(); ext != fExts.crend(); ++ext) {
        const QString extKey = QStringLiteral("\\.") + *ext;
        if (!reg.OpenKey(extKey, false))
            continue;
        // An extension that another type owns now is left alone.
        const std::optional<QString> owner = reg.ReadString(QString());
        if (!owner || LowerAZ(*owner) != LowerAZ(fName)) {
            reg.CloseKey();
        } else if (reg.GetDataType(OldValue) == rdString) {
            result = reg.WriteString(QString(), reg.ReadString(OldValue).value_or(QString()))
                     && reg.DeleteValue(OldValue) && result;
            reg.CloseKey();
        } else {
            reg.CloseKey();
            result = reg.DeleteKey(extKey) && result;
        }
    }
    const QString typeKey = QLatin1Char('\\') + fName;
    if (!reg.KeyExists(typeKey))
        return result;
    if (fOwnAssociation)
        return reg.DeleteKey(typeKey) && result;
    for (int i = 0; i < fCount; ++i) {
        const QString key = typeKey + QStringLiteral("\\shell\\") + fCommands[size_t(i)].Command;
        if (reg.KeyExists(key))
            result = reg.DeleteKey(key) && result;
    }
    return result;
}
