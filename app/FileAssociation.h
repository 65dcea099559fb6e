#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

struct TCommand {
    QString Command; // the verb, e.g. "Open"
    QString Option;  // passed by the execute macro after the file
};

// A document file type as the shell finds it in the classes key of the
// user's registry: its extensions, its own key with description and icon,
// and per verb a command line (the executable alone) and an execute macro
// that carries the file to the running program.
//
// The commands stay sorted by verb in the locale's case-insensitive order,
// and no two verbs differ only in the letter case of A to Z.
class TFileAssociation {
public:
    TFileAssociation();
    // An association read from the text form that CSVConfig gives.
    static TFileAssociation CreateFrom(const QString& csvValue);

    const QString& Name() const { return fName; }
    void SetName(const QString& value) { fName = value; }
    const QString& Description() const { return fDescription; }
    void SetDescription(const QString& value) { fDescription = value; }
    QStringList& Exts() { return fExts; }
    const QStringList& Exts() const { return fExts; }
    bool OwnAssociation() const { return fOwnAssociation; }
    void SetOwnAssociation(bool value) { fOwnAssociation = value; }
    int IconIndex() const { return fIconIndex; }
    void SetIconIndex(int value) { fIconIndex = value; }
    int Count() const { return fCount; }
    int Capacity() const { return fCapacity; }
    // Entries 0 to Count() - 1 only.
    const TCommand& Commands(int index) const { return fCommands.at(size_t(index)); }
    QString CSVConfig() const { return GetCSVConfig(); }

    int AddFileOpen(const QString& Option) { return AddCommand(QStringLiteral("Open"), Option); }
    int AddFilePrint(const QString& Option) { return AddCommand(QStringLiteral("Print"), Option); }
    int AddFileNew(const QString& Option) { return AddCommand(QStringLiteral("New"), Option); }
    int AddFilePrintTo(const QString& Option) { return AddCommand(QStringLiteral("PrintTo"), Option); }
    // The command's index, in sorted place or over the entry of the same verb;
    // -1 and no change for an empty verb.
    int AddCommand(const QString& Command, const QString& Option);
    int Index(const QString& Command) const;
    bool Delete(int Idx);
    bool DeleteCommand(const QString& Command);

    // Writes the registration for the running executable; the owner of an
    // extension is replaced without asking only with AutoReplace. False when
    // part of it could not be written: nothing is thrown, and the program
    // goes on with what the registry holds.
    bool RegisterAssociation(const QString& Topic, bool AutoReplace);
    // Gives the extensions back to their former owners and removes the type.
    bool UnRegisterAssociation();

    void FillCmdGrid(QTableWidget* CmdGrid) const;
    void GetFromCmdGrid(const QTableWidget* CmdGrid);
    QTreeWidgetItem* DisplayOnListView(QTreeWidget* ListView);

    // Classifies one item of the text form: 1 Name, 2 Desc, 3 Exts, 4 cmds,
    // 5 Owns, 6 Icon, 0 anything else; Value is the item after its key.
    static int ParseConfigItem(const QString& Item, QString& Value);

private:
    class ClassesWriter;

    // Letter case of A to Z alone, as the verbs and owners are compared.
    static QString LowerAZ(const QString& text);

    int FindInsertPos(const QString& Command) const;
    int AddCommandCSV(const QString& text);
    QString GetCSVConfig() const;
    // The shell command line: the executable's path as it is, then the start option.
    QString CommandLine() const;
    bool WriteRegistration(ClassesWriter& reg, const QString& Topic, bool AutoReplace);

    QStringList fExts;
    QString fName;
    QString fDescription;
    QString fBlankStartOpt; // no operation sets it: the command line is the path alone
    int fIconIndex = 0;
    bool fOwnAssociation = true;
    int fCapacity = 0;
    int fCount = 0;
    std::vector<TCommand> fCommands;
};
