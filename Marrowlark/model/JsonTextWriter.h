#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QStringView>
#include <QVarLengthArray>

#include <utility>

// Writes JSON text in the layout of Foundation's JSONEncoder with pretty printing: one member or
// element per line, two blanks of indentation per level, "key" : value, empty containers as an
// opening bracket, a blank line and the closing bracket, forward slashes escaped as \/, no final
// line feed. Members are written in the order given, so callers give them sorted by key.
class JsonTextWriter
{
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(QLatin1String key);
    void string(QStringView text);
    void boolean(bool value);
    // value must be finite.
    void number(double value);

    QByteArray take() { return std::exchange(m_out, {}); }
    void reserve(qsizetype bytes) { m_out.reserve(bytes); }

    // The encoder's text of a finite double: the shortest digits that read back to the same
    // value, in decimal notation for magnitudes from 1e-4 up to 2^54 and in exponential notation
    // ("7e-05", "1.5e+300") otherwise, and without the ".0" of integral values ("0", "-0", "12").
    static QByteArray formatNumber(double value);

private:
    void beforeValue();
    void indent();
    void open(char bracket);
    void close(char bracket);

    QByteArray m_out;
    QVarLengthArray<bool, 16> m_levelHasItems;
    bool m_afterKey = false;
};
