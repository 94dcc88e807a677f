#pragma once

#include "model/QLabCue.h"

#include <QStringList>
#include <QStringView>

#include <optional>

// Turns one imported cue row (type text, number, name, action, notes, trigger, then optionally
// the QLab id, pre-wait and post-wait) into a cue.
namespace CueRowConverter {

// Nothing for a row of fewer than six texts. Every cue gets a new id.
std::optional<QLabCue> cueFromRow(const QStringList &row);

// A whole text that is a finite decimal number (optional sign, point, exponent; no blanks, no
// locale), else 0.
double waitSeconds(QStringView text);

} // namespace CueRowConverter
