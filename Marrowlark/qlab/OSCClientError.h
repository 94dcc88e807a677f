#pragma once

#include <QString>

#include <exception>

// What the OSC client throws. The descriptions are Russian only, as the program shows them; a
// network error carries the platform's own text, and the workspace errors name the workspace in
// the interface's language.
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
        workspaceNotOpen, // no open workspace has the name asked for
        workspaceNameShared, // several do
    };

    explicit OSCClientError(Code code, const QString &detail = QString());

    Code code() const { return m_code; }
    // The text shown to the user.
    QString description() const;
    const char *what() const noexcept override { return m_what.constData(); }

private:
    Code m_code;
    QString m_detail; // the network's text, or the workspace name
    QByteArray m_what;
};
