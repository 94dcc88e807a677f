#pragma once

#include <QJsonValue>
#include <QString>

#include <optional>

// One decoded QLab reply: {"workspace_id", "address", "status", "data"}.
struct QLabOSCResponse
{
    QString status = QStringLiteral("error"); // "error" when missing or not a text
    QString address; // the address that was sent; empty when missing or not a text
    std::optional<QJsonValue> payload; // "data" as parsed; none when the key is missing
    QString workspaceID; // empty when missing or not a text

    bool isOK() const { return status == u"ok"; }

    // The request address this reply answers: the address without a "/reply" or
    // "/workspace/{id}" prefix.
    QString requestAddress() const;

    // `address` without a "/reply" or "/workspace/{id}" prefix.
    static QString withoutPrefixes(QStringView address);

    friend bool operator==(const QLabOSCResponse &, const QLabOSCResponse &) = default;
};
