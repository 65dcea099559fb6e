#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for Qt strings in GoogleTest assertions; lists of them print as containers of these.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
