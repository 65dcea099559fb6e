#pragma once

#include <QString>

#include <ostream>

// Qt strings readable in GoogleTest's failure messages, also in lists.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
