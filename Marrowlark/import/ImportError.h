#pragma once

#include <QString>

// An error that ends an import run. It describes itself in the language current when asked.
class ImportError
{
public:
    enum class Kind {
        scriptError,
        qlabNotRunning,
        noWorkspaces,
        oscNotAvailable,
        oscAccessDenied,
        noCueLists,
        cancelled,
    };

    explicit ImportError(Kind kind)
        : m_kind(kind)
    { }
    // The message is already in the user's language and is shown as it stands.
    static ImportError scriptError(const QString &message);

    Kind kind() const { return m_kind; }
    QString errorDescription() const;

private:
    Kind m_kind;
    QString m_message;
};
