#pragma once

#include <QString>
#include <QStringView>

// Text that goes into the source of our AppleScript programs.
namespace AppleScriptText {

// An AppleScript string literal of the text: between double quotes, with backslashes and double
// quotes escaped, so no text can end the literal early and become code.
QString stringLiteral(QStringView text);

} // namespace AppleScriptText
