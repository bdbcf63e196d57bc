#pragma once

#include <QString>

#include <exception>

namespace ergotab {

// The one exception type of the program: it carries the text a user reads in the error box.
// Core code throws it; the application shows whatever no command caught and goes on.
class AppError : public std::exception
{
public:
    explicit AppError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }

    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

} // namespace ergotab
