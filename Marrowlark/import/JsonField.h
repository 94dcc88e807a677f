#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// Reading required keys of the small JSON answers of our scripts, each with its exact type: a
// key that is missing or of another type is an error naming it.
namespace JsonField {

std::optional<QString> text(const QJsonObject &object, QStringView key, QString *error);
std::optional<bool> flag(const QJsonObject &object, QStringView key, QString *error);
// A JSON number without a fraction, within int.
std::optional<int> integer(const QJsonObject &object, QStringView key, QString *error);

} // namespace JsonField
