#include "ScopedEnvironment.h"

#include <QDir>

ScopedEnvironment::~ScopedEnvironment()
{
    // Newest first, so a variable set twice ends as it was before the first.
    for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
        if (it->second)
            qputenv(it->first.constData(), *it->second);
        else
            qunsetenv(it->first.constData());
    }
}

void ScopedEnvironment::set(const char *name, const QString &value)
{
    remember(name);
    qputenv(name, value.toLocal8Bit());
}

void ScopedEnvironment::unset(const char *name)
{
    remember(name);
    qunsetenv(name);
}

void ScopedEnvironment::prependToPath(const QString &folder)
{
    const QString path = qEnvironmentVariable("PATH");
    set("PATH", path.isEmpty() ? folder : folder + QDir::listSeparator() + path);
}

void ScopedEnvironment::useFakeOsascript(const QString &fakebin)
{
    prependToPath(fakebin);
    for (const char *name : { "FAKE_QLAB_NOT_RUNNING", "FAKE_OSASCRIPT_ERROR",
             "FAKE_OSASCRIPT_EXIT", "FAKE_OSASCRIPT_FAIL_ONLY", "FAKE_OSASCRIPT_NO_FILES",
             "FAKE_OSASCRIPT_RESULT_TEXT", "FAKE_OSASCRIPT_LOG" })
        unset(name);
}

void ScopedEnvironment::remember(const char *name)
{
    m_saved.append({ QByteArray(name),
        qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name))
                                        : std::nullopt });
}
