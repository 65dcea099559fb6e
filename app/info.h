#pragma once

#include <QObject>
#include <QString>

// Reads the text values of an executable's version table into its properties.
class TEPInfoExe : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString LangId MEMBER FLangId)
    Q_PROPERTY(QString ExeName MEMBER FExeName)
    Q_PROPERTY(QString CompanyName MEMBER FCompanyName)
    Q_PROPERTY(QString FileDescription MEMBER FFileDescription)
    Q_PROPERTY(QString FileVersion MEMBER FFileVersion)
    Q_PROPERTY(QString InternalName MEMBER FInternalName)
    Q_PROPERTY(QString LegalCopyright MEMBER FLegalCopyright)
    Q_PROPERTY(QString LegalTradeMarks MEMBER FLegalTradeMarks)
    Q_PROPERTY(QString OriginalFilename MEMBER FOriginalFilename)
    Q_PROPERTY(QString ProductName MEMBER FProductName)
    Q_PROPERTY(QString ProductVersion MEMBER FProductVersion)
    Q_PROPERTY(QString Comments MEMBER FComments)
public:
    explicit TEPInfoExe(QObject* AOwner = nullptr);

    // Fills the ten values from ExeName's table "<LangId>04E2"; a file
    // without a table leaves them as they are.
    void Execute();

    QString LangId() const { return FLangId; }
    void SetLangId(const QString& value) { FLangId = value; }
    QString ExeName() const { return FExeName; }
    void SetExeName(const QString& value) { FExeName = value; }
    QString CompanyName() const { return FCompanyName; }
    QString FileDescription() const { return FFileDescription; }
    QString FileVersion() const { return FFileVersion; }
    QString InternalName() const { return FInternalName; }
    QString LegalCopyright() const { return FLegalCopyright; }
    QString LegalTradeMarks() const { return FLegalTradeMarks; }
    QString OriginalFilename() const { return FOriginalFilename; }
    QString ProductName() const { return FProductName; }
    QString ProductVersion() const { return FProductVersion; }
    QString Comments() const { return FComments; }

private:
    QString FLangId;
    QString FExeName;
    QString FCompanyName;
    QString FFileDescription;
    QString FFileVersion;
    QString FInternalName;
    QString FLegalCopyright;
    QString FLegalTradeMarks;
    QString FOriginalFilename;
    QString FProductName;
    QString FProductVersion;
    QString FComments;
};
