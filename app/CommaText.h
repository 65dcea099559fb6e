#pragma once

#include <QString>
#include <QStringList>

// The one-line list text of the other system's string lists: items joined by
// commas; an item holding a blank, a control character, a comma or a double
// quote is enclosed in double quotes with its inner double quotes doubled.
QString JoinCommaText(const QStringList& items);

// The text in double quotes, its inner double quotes doubled.
QString QuotedItem(const QString& item);

// The reverse of JoinCommaText: commas and runs of blanks or control
// characters separate the items, a quoted item may hold any of them, and a
// trailing comma adds an empty item.
QStringList SplitCommaText(const QString& text);
