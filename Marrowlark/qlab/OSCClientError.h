#pragma once

#include <QAbstractSocket>
#include <QString>

#include <exception>

// What the OSC client throws. The descriptions are in the interface's language: a failure of the
// socket says what happened to the connection, with the platform's own text where the catalogue
// has no words for it, and the workspace errors name the workspace.
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
    // The socket's failure, as a networkError.
    explicit OSCClientError(const QAbstractSocket &socket);

    Code code() const { return m_code; }
    // The text shown to the user, in the interface's language at the moment of the call.
    QString description() const;
    const char *what() const noexcept override { return m_what.constData(); }

private:
    Code m_code;
    QString m_detail; // the network's text, or the workspace name
    QAbstractSocket::SocketError m_socketError = QAbstractSocket::UnknownSocketError;
    QByteArray m_what;
};
