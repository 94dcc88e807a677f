#include "import/ImportError.h"

#include "model/AppText.h"

ImportError ImportError::scriptError(const QString &message)
{
    ImportError error(Kind::scriptError);
    error.m_message = message;
    return error;
}

QString ImportError::errorDescription() const
{
    switch (m_kind) {
    case Kind::scriptError:
        return m_message;
    case Kind::qlabNotRunning:
        return AppText::qlabNotRunning();
    case Kind::noWorkspaces:
        return AppText::noOpenWorkspaces();
    case Kind::oscNotAvailable:
        return AppText::oscNotAvailablePort();
    case Kind::oscAccessDenied:
        return AppText::oscAccessDeniedShort();
    case Kind::noCueLists:
        return AppText::noCueListsFound();
    case Kind::cancelled:
        return AppText::importCancelled();
    }
    return {};
}
