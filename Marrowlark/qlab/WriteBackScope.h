#pragma once

// Which cue lists a write-back into QLab covers.
enum class WriteBackScope {
    selected,
    all,
};
