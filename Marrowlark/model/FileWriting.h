#pragma once

#include <QIODevice>
#include <QString>

#include <functional>

// Writes the file at path through QSaveFile: fill() writes the content, and the previous file is
// replaced only once the new one is completely on disk. A false from fill() or any failed write,
// flush or sync keeps the previous file. Returns an empty text on success, else the reason in the
// interface language.
QString writeFileSafely(const QString &path, const std::function<bool(QIODevice &)> &fill);
