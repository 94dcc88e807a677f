#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// Reads the values our programs put into AppleScript source: string literals and lists of them,
// as AppleScript itself reads them (backslash escapes \" \\ \n \t \r).
class AppleScriptSource
{
public:
    // The string literal that starts at *position (a double quote); moves *position past it.
    static std::optional<QString> stringLiteral(QStringView source, qsizetype *position);
    // The literal after the first occurrence of prefix, e.g. "set outputFile to ".
    static std::optional<QString> stringAfter(QStringView source, QStringView prefix);
    // The list of literals after the first occurrence of prefix, e.g. "set idList to ".
    static std::optional<QStringList> listAfter(QStringView source, QStringView prefix);
};
