#pragma once

// Which cue lists a generation of descriptions covers.
enum class AutoDescriptionScope {
    selected,
    all,
};
