#include "qlab/OSCClientError.h"

#include "model/AppText.h"

OSCClientError::OSCClientError(Code code, const QString &detail)
    : m_code(code)
    , m_detail(detail)
    , m_what(description().toUtf8())
{ }

OSCClientError::OSCClientError(const QAbstractSocket &socket)
    : m_code(networkError)
    , m_detail(socket.errorString())
    , m_socketError(socket.error())
    , m_what(description().toUtf8())
{ }

QString OSCClientError::description() const
{
    switch (m_code) {
    case connectionFailed:
        return AppText::oscConnectionFailed();
    case connectionTimeout:
        return AppText::oscConnectionTimeout();
    case sendFailed:
        return AppText::oscSendFailed();
    case receiveFailed:
        return AppText::oscReceiveFailed();
    case accessDenied:
        return AppText::oscAccessDeniedShort();
    case invalidResponse:
        return AppText::oscInvalidResponse();
    case notConnected:
        return AppText::oscNotConnected();
    case networkError:
        return m_socketError == QAbstractSocket::RemoteHostClosedError
            ? AppText::oscConnectionClosed()
            : AppText::oscNetworkError(m_detail);
    case workspaceNotOpen:
        return AppText::workspaceNotOpen(m_detail);
    case workspaceNameShared:
        return AppText::workspaceNameShared(m_detail);
    }
    return QString();
}
