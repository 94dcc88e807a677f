#pragma once

#include <QString>

#include <optional>

// What a write-back of descriptions into QLab's cue notes achieved.
struct WriteBackResult
{
    int total = 0; // notes the write-back tried to write
    int written = 0; // notes QLab confirmed with "ok"
    int skipped = 0; // candidate cues that made no note
    int errors = 0; // notes not confirmed as written
    bool denied = false; // QLab refused the access needed to write notes
    std::optional<QString> errorMessage;

    friend bool operator==(const WriteBackResult &, const WriteBackResult &) = default;
};
