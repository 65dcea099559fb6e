#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// The program's general error: a Polish message meant for the user.
class Exception : public std::exception {
public:
    explicit Exception(const QString& message)
        : m_message(message), m_utf8(message.toUtf8()) {}
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
