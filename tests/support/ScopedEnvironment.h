#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Sets environment variables for a test and restores them when it goes, so that child
// processes (the fake osascript) see the switches and the PATH a test asks for.
class ScopedEnvironment
{
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;
    ~ScopedEnvironment();

    void set(const char *name, const QString &value);
    void unset(const char *name);
    // The fake tools' folder first on PATH, so `osascript` is the fake.
    void prependToPath(const QString &folder);
    // The fake osascript in fakebin first on PATH, with none of its failure switches set.
    void useFakeOsascript(const QString &fakebin);

private:
    void remember(const char *name);

    QList<std::pair<QByteArray, std::optional<QByteArray>>> m_saved;
};
