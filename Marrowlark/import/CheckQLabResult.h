#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// What the QLab check script reports: whether QLab runs and which workspaces are open.
struct CheckQLabResult
{
    bool running = false;
    int workspaceCount = 0;
    QStringList workspaceNames;

    // Every key required with its JSON type; nothing when the text is not of that form, and
    // error then says why.
    static std::optional<CheckQLabResult> fromJson(const QByteArray &json, QString *error);

    friend bool operator==(const CheckQLabResult &, const CheckQLabResult &) = default;
};
