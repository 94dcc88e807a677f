#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What the QLab check script reports: whether QLab runs and which workspaces are open.
struct CheckQLabResult
{
    bool running = false;
    int workspaceCount = 0;
    QStringList workspaceNames;

    // More workspaces than anyone has open at once.
    static constexpr int maximumWorkspaceCount = 100;

    // Every key required with its JSON type, the count within 0 to maximumWorkspaceCount;
    // throws JsonCodingError when the text is not of that form.
    static CheckQLabResult fromJson(const QByteArray &json);

    friend bool operator==(const CheckQLabResult &, const CheckQLabResult &) = default;
};
