#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

// A fixed choice list of the editor panel: what the user reads, and the code
// the document stores for each entry at the same index.
struct EditorChoiceList {
    QStringList captions;
    QStringList codes;

    // The code of an index; nothing when no entry stands at it.
    bool CodeAt(int index, QString& code) const;
};

// The ZUS accounts; the unselected entry stands for the account pattern.
EditorChoiceList ZusAccountChoices();
// The identifier types of the liable person: ZUS forms have no NIP entry
// and start unselected, tax forms start at NIP.
EditorChoiceList IdentifierTypeChoices(quint16 kind);
EditorChoiceList PaymentTypeChoices();
// The free-text list of tax form symbols.
QStringList FormSymbolChoices();

// The list index that shows a stored value; 0 for anything unknown.
int ZusAccountIndex(const QString& odbRach);
int IdentifierTypeIndex(QChar code);
int PaymentTypeIndex(QChar code);
