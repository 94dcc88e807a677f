#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Per-cue OSC addresses: "/cue_id/" + identifier + property path. QLab reads the address as an
// OSC pattern, so an identifier with a blank, a pattern or separator character (# * , / ? [ ] { })
// or a control character could address other cues or none: such an identifier, and the empty
// one, is never sent.
class OSCCueAddress
{
public:
    static bool isSendable(QStringView cueID);

    // property starts with "/", e.g. "/name"; none when the identifier is not sendable.
    static std::optional<QString> make(QStringView cueID, QStringView property);
};
