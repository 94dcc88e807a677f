// Reads arbitrary bytes as the data of QLab's "/cueLists" reply, as the import does: every list
// dictionary gives one list, every cue row holds all its texts.
#include "qlab/CueRowPosition.h"
#include "qlab/OSCCueListReader.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QJsonValue value
        = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    const QList<OSCCueListData> lists = OSCCueListReader::readCueLists(value);
    if (document.isArray() && !lists.isEmpty() && lists.size() != document.array().size())
        std::abort();
    for (const OSCCueListData &list : lists) {
        for (const QStringList &row : list.rows()) {
            if (row.size() != CueRowPosition::count)
                std::abort();
        }
    }
    return 0;
}
