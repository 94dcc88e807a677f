#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// Worksheet names longer than this (in UTF-16 units) make spreadsheet programs refuse the file.
inline constexpr int maxSheetNameLength = 31;

// A name safe as a file name: path separators, control characters, unassigned code points and
// non-characters dropped, blanks trimmed, at most 100 characters; "Untitled" when nothing is left.
QString sanitizedFileName(QStringView name);

// A name a spreadsheet accepts for a worksheet: none of "[]*/\?:", no control characters or
// characters XML cannot hold, no blanks or apostrophes at either end, at most 31 UTF-16 units cut
// between characters; "Sheet" when nothing is left.
QString sanitizedSheetName(QStringView name);

// Makes worksheet names distinct regardless of letter case: a name already taken gets a blank and
// the lowest count from 2 that gives a name not yet taken, shortened so it stays within 31 units.
QStringList uniquedNames(const QStringList &names);

// The program's short version, "1.0" when the application carries none.
QString appVersionString();
