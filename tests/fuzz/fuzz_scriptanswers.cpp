// Reads arbitrary bytes as the answers of the QLab check script and of the cue-list listing
// script: either the answer is read within its bounds, or a JsonCodingError says why not.
#include "import/CheckQLabResult.h"
#include "import/CueListInfo.h"
#include "model/JsonCodingError.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const CheckQLabResult check = CheckQLabResult::fromJson(json);
        if (check.workspaceCount < 0
            || check.workspaceCount > CheckQLabResult::maximumWorkspaceCount)
            std::abort();
    } catch (const JsonCodingError &) { }
    try {
        for (const CueListInfo &list : CueListInfo::listFromJson(json)) {
            if (!list.isSelected)
                std::abort();
        }
    } catch (const JsonCodingError &) { }
    return 0;
}
