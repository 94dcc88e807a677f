// Any action text, name and notes, described as every kind of cue against targets made from the
// same text: nothing may crash or hit undefined behaviour.
#include "describe/AutoDescriptionGenerator.h"
#include "describe/CueIndex.h"
#include "model/LanguageManager.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QList<QLabCue> targets;
    for (const QString &line : text.split(u'\n')) {
        QLabCue cue;
        cue.number = line.left(4);
        cue.name = line;
        cue.notes = line;
        targets.append(cue);
    }
    const CueIndex index(targets);

    QLabCue cue;
    cue.action = text;
    cue.name = text.section(u'\n', 0, 0);
    cue.preWait = size % 3 == 0 ? 0.25 : 0;
    cue.postWait = size % 5 == 0 ? 1e300 : 0;
    LanguageManager::shared().setCurrent(
        size % 2 == 0 ? AppLanguage::english : AppLanguage::russian);
    for (CueType type : allCueTypes()) {
        cue.type = type;
        AutoDescriptionGenerator::shared().generateDescription(cue, index);
    }
    return 0;
}
