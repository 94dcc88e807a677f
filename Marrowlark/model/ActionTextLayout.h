#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// The layout of QLabCue::action shared by every writer and reader: lines separated by single line
// feeds; header lines; parameter lines (three blanks or a tab) belonging to the header above;
// hidden "[notes:" lines; nested group members indented by two blanks per level.
namespace ActionTextLayout {

inline constexpr QStringView parameterIndent = u"   ";
inline constexpr QStringView nestingIndentUnit = u"  ";
inline constexpr QStringView arrow = u" \u2192 ";

// Placeholders written by the OSC import and replaced before a list's import ends.
inline constexpr QStringView audioMarker = u"__SWIFT_OSC__|Audio|";
inline constexpr QStringView videoMarker = u"__SWIFT_OSC__|Video|";
inline constexpr QStringView fadeMarker = u"__SWIFT_OSC_FADE__|";
inline constexpr QStringView waitMarker = u"__WAIT__|";
inline constexpr QStringView targetMarker = u"__TARGET__|";
inline constexpr QStringView midiMarker = u"__MIDI__|";
inline constexpr QStringView networkMarker = u"__NETWORK__|";
inline constexpr QStringView timecodeMarker = u"__TIMECODE__|";
inline constexpr QStringView devampMarker = u"__DEVAMP__|";
// A Wait cue whose length "/cueLists" does not carry.
inline constexpr QStringView waitCueMarker = u"__WAIT_CUE__|";
// A nested group's line whose mode "/cueLists" does not carry: uid "|" the rest of the line.
inline constexpr QStringView groupMarker = u"__GROUP__|";

QStringList splitLines(const QString &action);

// Starts with three blanks or a tab.
bool isParameterLine(QStringView line);
// Trimmed, starts with "[notes:".
bool isHiddenLine(QStringView line);
// Trimmed, starts with "pre-wait:" or "post-wait:".
bool isWaitLine(QStringView line);

// Two blanks per nesting level below the top-level group.
QString nestingIndent(int level);

} // namespace ActionTextLayout
