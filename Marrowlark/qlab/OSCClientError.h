#pragma once

#include <QString>

#include <exception>

// What the OSC client throws. The descriptions are Russian only, as the program shows them; a
// network error carries the platform's own text.
class OSCClientError : public std::exception
{
public:
    enum Code {
        connectionFailed,
        connectionTimeout,
        sendFailed,
        receiveFailed,
        accessDenied,
        invalidResponse,
        notConnected,
        networkError,
    };

    explicit OSCClientError(Code code, const QString &networkMessage = QString());

    Code code() const { return m_code; }
    // The text shown to the user.
    QString description() const;
    const char *what() const noexcept override { return m_what.constData(); }

private:
    Code m_code;
    QString m_networkMessage;
    QByteArray m_what;
};
