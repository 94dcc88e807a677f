#pragma once

#include <QtGlobal>

// Which descriptions clearDescriptions() removes.
enum class ClearDescriptionsMode : quint8 {
    all = 0,
    generated = 1,
    // Descriptions as they came from QLab: the source imported, or notes untouched since the
    // import (the import leaves the source at none).
    imported = 2,
};
