#include "qlab/OSCClientError.h"

#include "model/AppText.h"

OSCClientError::OSCClientError(Code code, const QString &detail)
    : m_code(code)
    , m_detail(detail)
    , m_what(description().toUtf8())
{ }

QString OSCClientError::description() const
{
    switch (m_code) {
    case connectionFailed:
        return QStringLiteral("Не удалось подключиться к QLab OSC (порт 53000)");
    case connectionTimeout:
        return QStringLiteral("Таймаут подключения к QLab OSC");
    case sendFailed:
        return QStringLiteral("Ошибка отправки OSC-сообщения");
    case receiveFailed:
        return QStringLiteral("Ошибка получения ответа от QLab OSC");
    case accessDenied:
        return QStringLiteral("OSC доступ запрещён");
    case invalidResponse:
        return QStringLiteral("Некорректный ответ от QLab OSC");
    case notConnected:
        return QStringLiteral("Нет подключения к QLab OSC");
    case networkError:
        return m_detail;
    case workspaceNotOpen:
        return AppText::workspaceNotOpen(m_detail);
    case workspaceNameShared:
        return AppText::workspaceNameShared(m_detail);
    }
    return QString();
}
