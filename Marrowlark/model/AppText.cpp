#include "model/AppText.h"

#include "model/LanguageManager.h"

#include <QFile>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

bool english()
{
    return LanguageManager::shared().isEnglish();
}

// The long texts live in the resources, one file per text and language.
QString longText(const QString &name)
{
    QFile file(u":/legal/"_s + name + (english() ? u"-en.txt"_s : u"-ru.txt"_s));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

QString AppText::clearedDescriptions(qint64 count)
{
    if (english())
        return u"Cleared descriptions: "_s + QString::number(count);
    return u"Очищено описаний: "_s + QString::number(count);
}

QString AppText::generatedDescriptions(qint64 count)
{
    if (english())
        return u"Generated descriptions: "_s + QString::number(count);
    return u"Сгенерировано описаний: "_s + QString::number(count);
}

QString AppText::generatedDescriptionsAllLists(qint64 count)
{
    if (english())
        return u"Generated descriptions: "_s + QString::number(count) + u"\nfor all lists"_s;
    return u"Сгенерировано описаний: "_s + QString::number(count) + u"\nдля всех списков"_s;
}

QString AppText::writeBackSummary(qint64 written, qint64 errors, qint64 total)
{
    if (english())
        return u"Written: "_s + QString::number(written) + u"\nErrors: "_s + QString::number(errors)
            + u"\nTotal: "_s + QString::number(total);
    return u"Записано: "_s + QString::number(written) + u"\nОшибок: "_s + QString::number(errors)
        + u"\nВсего: "_s + QString::number(total);
}

QString AppText::workspaceNotOpen(const QString &name)
{
    if (english())
        return u"No open QLab workspace is named “"_s + name
            + u"”.\n\nOpen the workspace this project was imported from, or close the other workspaces."_s;
    return u"В QLab нет открытого воркспейса с именем «"_s + name
        + u"».\n\nОткройте воркспейс, из которого был импортирован проект, или закройте остальные воркспейсы."_s;
}

QString AppText::workspaceNameShared(const QString &name)
{
    if (english())
        return u"Several open QLab workspaces are named “"_s + name
            + u"”.\n\nClose the ones you do not mean, or give them other names, and try again."_s;
    return u"В QLab открыто несколько воркспейсов с именем «"_s + name
        + u"».\n\nЗакройте лишние или переименуйте их и попробуйте снова."_s;
}

QString AppText::notesNotAnswered(const QString &cue)
{
    if (english())
        return u"QLab did not send the notes of cue “"_s + cue
            + u"”.\n\nThe import was stopped so that no notes are taken as empty. Try again."_s;
    return u"QLab не передал notes cue «"_s + cue
        + u"».\n\nИмпорт остановлен, чтобы notes не были приняты за пустые. Попробуйте снова."_s;
}

QString AppText::writtenNotes(qint64 written, qint64 total)
{
    if (english())
        return u"Written notes: "_s + QString::number(written) + u" of "_s + QString::number(total);
    return u"Записано notes: "_s + QString::number(written) + u" из "_s + QString::number(total);
}

QString AppText::cueProgress(qint64 done, qint64 total)
{
    return QString::number(done) + u" / "_s + QString::number(total) + u" cues"_s;
}

QString AppText::cueCount(qint64 count)
{
    return QString::number(count) + u" cues"_s;
}

QString AppText::cueCountAlt(qint64 count)
{
    return QString::number(count) + u" cues"_s;
}

QString AppText::importListCount(qint64 count)
{
    const QString number = QString::number(count);
    if (english())
        return u"Import "_s + number + (count == 1 ? u" list"_s : u" lists"_s);
    // Russian has three forms, chosen by the last one and two digits.
    const qint64 lastDigit = std::abs(count % 10);
    const qint64 lastTwoDigits = std::abs(count % 100);
    if (lastDigit == 1 && lastTwoDigits != 11)
        return u"Импорт "_s + number + u" список"_s;
    if (lastDigit >= 2 && lastDigit <= 4 && (lastTwoDigits < 12 || lastTwoDigits > 14))
        return u"Импорт "_s + number + u" списка"_s;
    return u"Импорт "_s + number + u" списков"_s;
}

QString AppText::cueListProgress(qint64 index, qint64 total, const QString &name)
{
    return u"Cue List "_s + QString::number(index) + u" / "_s + QString::number(total) + u" — "_s
        + name;
}

QString AppText::processingCues(qint64 count)
{
    if (english())
        return u"Processing "_s + QString::number(count) + u" cues…"_s;
    return u"Обработка "_s + QString::number(count) + u" cues…"_s;
}

QString AppText::secondsValue(qint64 seconds)
{
    if (english())
        return QString::number(seconds) + u" sec"_s;
    return QString::number(seconds) + u" сек"_s;
}

QString AppText::timeRemaining(const QString &duration)
{
    if (english())
        return u"≈ "_s + duration + u" remaining"_s;
    return u"≈ "_s + duration + u" осталось"_s;
}

QString AppText::playing(const QString &name)
{
    if (english())
        return u"Playing "_s + name;
    return u"Воспроизводится "_s + name;
}

QString AppText::levelDecibels(qint64 level)
{
    if (english())
        return u"(level "_s + QString::number(level) + u" dB)"_s;
    return u"(уровень "_s + QString::number(level) + u" dB)"_s;
}

QString AppText::fadeOf(const QString &target)
{
    if (english())
        return u"Fade "_s + target;
    return u"Фейд "_s + target;
}

QString AppText::fadeOfWithDetail(const QString &target, const QString &detail)
{
    if (english())
        return u"Fade "_s + target + u" — "_s + detail;
    return u"Фейд "_s + target + u" — "_s + detail;
}

QString AppText::overSeconds(qint64 seconds)
{
    if (english())
        return u"over "_s + QString::number(seconds) + u" sec"_s;
    return u"за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::effectParametersChange(const QString &target)
{
    if (english())
        return u"Effect parameters change "_s + target;
    return u"Изменяются параметры эффекта "_s + target;
}

QString AppText::midiNoteCommand(qint64 note)
{
    if (english())
        return u"MIDI command: Note "_s + QString::number(note);
    return u"MIDI команда: Note "_s + QString::number(note);
}

QString AppText::networkCommandText(const QString &command)
{
    if (english())
        return u"Network command: "_s + command;
    return u"Сетевая команда: "_s + command;
}

QString AppText::waitSeconds(qint64 seconds)
{
    if (english())
        return u"Wait "_s + QString::number(seconds) + u" sec"_s;
    return u"Пауза "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::starts(const QString &target)
{
    if (english())
        return u"Starts "_s + target;
    return u"Запускается "_s + target;
}

QString AppText::stops(const QString &target)
{
    if (english())
        return u"Stops "_s + target;
    return u"Останавливается "_s + target;
}

QString AppText::stopsList(const QString &targets)
{
    if (english())
        return u"Stops: "_s + targets;
    return u"Останавливается: "_s + targets;
}

QString AppText::pausesList(const QString &targets)
{
    if (english())
        return u"Pauses: "_s + targets;
    return u"На паузу: "_s + targets;
}

QString AppText::playingAlt(const QString &name)
{
    if (english())
        return u"Playing "_s + name;
    return u"Воспроизводится "_s + name;
}

QString AppText::micOn(const QString &name)
{
    if (english())
        return u"Mic on: "_s + name;
    return u"Включается "_s + name;
}

QString AppText::afterSecondsAction(const QString &seconds, const QString &action)
{
    if (english())
        return u"After "_s + seconds + u" sec: "_s + action;
    return u"Через "_s + seconds + u" сек: "_s + action;
}

QString AppText::afterSeconds(const QString &seconds)
{
    if (english())
        return u"After "_s + seconds + u" sec:"_s;
    return u"Через "_s + seconds + u" сек:"_s;
}

QString AppText::thenNextCue(const QString &seconds)
{
    if (english())
        return u"then after "_s + seconds + u" sec — next Cue"_s;
    return u"после — через "_s + seconds + u" сек следующий Cue"_s;
}

QString AppText::startsAudio(const QString &name)
{
    if (english())
        return u"Starts audio "_s + name;
    return u"Запускается аудио "_s + name;
}

QString AppText::startsVideo(const QString &name)
{
    if (english())
        return u"Starts video "_s + name;
    return u"Запускается видео "_s + name;
}

QString AppText::microphoneOf(const QString &name)
{
    if (english())
        return u"Microphone "_s + name;
    return u"Микрофон "_s + name;
}

QString AppText::waitingSeconds(qint64 seconds)
{
    if (english())
        return u"Wait "_s + QString::number(seconds) + u" sec"_s;
    return u"Ожидание "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::midiText(const QString &message)
{
    return u"MIDI: "_s + message;
}

QString AppText::midiTextAlt(const QString &message)
{
    return u"MIDI: "_s + message;
}

QString AppText::fadeStopPeers(qint64 seconds)
{
    if (english())
        return u"fade & stop peers over "_s + QString::number(seconds) + u" sec"_s;
    return u"затухают другие cue в группе за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::fadeStopListCues(qint64 seconds)
{
    if (english())
        return u"fade & stop list cues over "_s + QString::number(seconds) + u" sec"_s;
    return u"затухают другие cue в списке за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::fadeStopAllCues(qint64 seconds)
{
    if (english())
        return u"fade & stop all cues over "_s + QString::number(seconds) + u" sec"_s;
    return u"затухают все cue за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::overSecondsAlt(qint64 seconds)
{
    if (english())
        return u"over "_s + QString::number(seconds) + u" sec"_s;
    return u"за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::overSecondsAlt2(qint64 seconds)
{
    if (english())
        return u"over "_s + QString::number(seconds) + u" sec"_s;
    return u"за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::fadeQuotedWithDetail(
    const QString &suffix, const QString &target, const QString &detail)
{
    if (english())
        return u"Fade"_s + suffix + u" \""_s + target + u"\" — "_s + detail;
    return u"Фейд"_s + suffix + u" \""_s + target + u"\" — "_s + detail;
}

QString AppText::fadeQuoted(const QString &suffix, const QString &target)
{
    if (english())
        return u"Fade"_s + suffix + u" \""_s + target + u"\""_s;
    return u"Фейд"_s + suffix + u" \""_s + target + u"\""_s;
}

QString AppText::startsQuoted(const QString &target)
{
    if (english())
        return u"Starts \""_s + target + u"\""_s;
    return u"Запускается \""_s + target + u"\""_s;
}

QString AppText::stopsQuoted(const QString &target)
{
    if (english())
        return u"Stops \""_s + target + u"\""_s;
    return u"Останавливается \""_s + target + u"\""_s;
}

QString AppText::pausesQuoted(const QString &target)
{
    if (english())
        return u"Pauses \""_s + target + u"\""_s;
    return u"На паузу \""_s + target + u"\""_s;
}

QString AppText::overSecondsAlt3(qint64 seconds)
{
    if (english())
        return u"over "_s + QString::number(seconds) + u" sec"_s;
    return u"за "_s + QString::number(seconds) + u" сек"_s;
}

QString AppText::lightText(const QString &text)
{
    if (english())
        return u"Light: "_s + text;
    return u"Свет: "_s + text;
}

QString AppText::scriptText(const QString &text)
{
    if (english())
        return u"Script: "_s + text;
    return u"Скрипт: "_s + text;
}

QString AppText::textCueText(const QString &text)
{
    if (english())
        return u"Text: "_s + text;
    return u"Текст: "_s + text;
}

QString AppText::cameraText(const QString &text)
{
    if (english())
        return u"Camera: "_s + text;
    return u"Камера: "_s + text;
}

QString AppText::scriptReadError(const QString &message)
{
    if (english())
        return u"Script read error: "_s + message;
    return u"Ошибка чтения скрипта: "_s + message;
}

QString AppText::appleScriptError(const QString &message)
{
    if (english())
        return u"AppleScript error: "_s + message;
    return u"Ошибка AppleScript: "_s + message;
}

QString AppText::documentReady(const QString &name)
{
    if (english())
        return u"Document ready: "_s + name + u".pdf"_s;
    return u"Документ готов: "_s + name + u".pdf"_s;
}

QString AppText::failedToSaveFile(const QString &message)
{
    if (english())
        return u"Failed to save file: "_s + message;
    return u"Не удалось сохранить файл: "_s + message;
}

QString AppText::failedToSavePDF(const QString &message)
{
    if (english())
        return u"Failed to save PDF: "_s + message;
    return u"Не удалось сохранить PDF: "_s + message;
}

QString AppText::pageOf(qint64 page, qint64 pages)
{
    if (english())
        return u"Page "_s + QString::number(page) + u" / "_s + QString::number(pages);
    return u"Стр. "_s + QString::number(page) + u" / "_s + QString::number(pages);
}

QString AppText::exportFooter(const QString &date, qint64 cues)
{
    if (english())
        return u"Export: "_s + date + u"  •  Cues: "_s + QString::number(cues);
    return u"Экспорт: "_s + date + u"  •  Cues: "_s + QString::number(cues);
}

QString AppText::exportedPDFs(const QString &folder, qint64 count)
{
    if (english())
        return u"Exported "_s + QString::number(count) + u" PDFs to folder «"_s + folder + u"»"_s;
    return u"Экспортировано "_s + QString::number(count) + u" PDF в папку «"_s + folder + u"»"_s;
}

QString AppText::exportedWorkbook(const QString &file, qint64 sheets)
{
    if (english())
        return u"Exported to "_s + file + u" ("_s + QString::number(sheets) + u" sheets)"_s;
    return u"Экспортировано в "_s + file + u" ("_s + QString::number(sheets) + u" листов)"_s;
}

QString AppText::writingDescriptions()
{
    if (english())
        return u"Writing descriptions to QLab..."_s;
    return u"Запись описаний в QLab..."_s;
}

QString AppText::autoGenerationComplete()
{
    if (english())
        return u"Auto-generation complete"_s;
    return u"Автогенерация завершена"_s;
}

QString AppText::okButton()
{
    return u"OK"_s;
}

QString AppText::clearAllQuestion()
{
    if (english())
        return u"Clear all descriptions?"_s;
    return u"Очистить все описания?"_s;
}

QString AppText::clearButton()
{
    if (english())
        return u"Clear"_s;
    return u"Очистить"_s;
}

QString AppText::cancelButton()
{
    if (english())
        return u"Cancel"_s;
    return u"Отмена"_s;
}

QString AppText::whichDescriptionsToClear()
{
    if (english())
        return u"Which descriptions to clear?\n/name_/ markup will be preserved."_s;
    return u"Какие описания очистить?\n/name_/ маркап сохранится."_s;
}

QString AppText::allDescriptions()
{
    if (english())
        return u"All descriptions"_s;
    return u"Все описания"_s;
}

QString AppText::onlyGenerated()
{
    if (english())
        return u"Only generated"_s;
    return u"Только сгенерированные"_s;
}

QString AppText::onlyImported()
{
    if (english())
        return u"Only imported from QLab"_s;
    return u"Только загруженные из QLab"_s;
}

QString AppText::autoDescription()
{
    if (english())
        return u"Auto-description"_s;
    return u"Автоописание"_s;
}

QString AppText::overwriteAll()
{
    if (english())
        return u"Overwrite all"_s;
    return u"Перезаписать все"_s;
}

QString AppText::onlyWhereEmpty()
{
    if (english())
        return u"Only where empty"_s;
    return u"Только где нет описания"_s;
}

QString AppText::overwriteOrFillQuestion()
{
    if (english())
        return u"Overwrite all descriptions or only fill empty ones?"_s;
    return u"Перезаписать все описания или только заполнить пустые?"_s;
}

QString AppText::writeToQLabNotes()
{
    if (english())
        return u"Write to QLab Notes"_s;
    return u"Запись в QLab Notes"_s;
}

QString AppText::overwriteAllNotes()
{
    if (english())
        return u"Overwrite all notes"_s;
    return u"Перезаписать все notes"_s;
}

QString AppText::onlyWhereNotesEmpty()
{
    if (english())
        return u"Only where notes are empty"_s;
    return u"Только где notes пустые"_s;
}

QString AppText::writeToQLabQuestion()
{
    if (english())
        return u"Write auto-descriptions to QLab notes?\n\nRequires «Edit» access level in QLab OSC Settings."_s;
    return u"Записать автоописания в QLab notes?\n\nТребуется уровень доступа «Edit» в QLab OSC Settings."_s;
}

QString AppText::writeToQLabTitle()
{
    if (english())
        return u"Write to QLab"_s;
    return u"Запись в QLab"_s;
}

QString AppText::noCuesToWriteMessage()
{
    if (english())
        return u"No cues with descriptions to write.\n\nMake sure that:\n• Project is imported from QLab\n• Auto-descriptions are generated"_s;
    return u"Нет cue с описаниями для записи.\n\nУбедитесь что:\n• Проект импортирован из QLab\n• Автоописания сгенерированы"_s;
}

QString AppText::writeAccessDeniedMessage()
{
    if (english())
        return u"Access denied.\n\nEdit level is required to write notes:\nQLab → Workspace Settings → Network → OSC Access\nCheck «Edit» for the «No Passcode» line"_s;
    return u"Доступ запрещён.\n\nДля записи notes необходим уровень «Edit»:\nQLab → Workspace Settings → Network → OSC Access\nВ строке «No Passcode» поставьте галочку «Edit»"_s;
}

QString AppText::cueIDsNotFoundMessage()
{
    if (english())
        return u"Descriptions were not written.\n\nCue IDs from the project were not found in the open QLab workspace.\n\nMake sure the same project that was imported is open in QLab."_s;
    return u"Описания не записаны.\n\nCue ID из проекта не найдены в открытом воркспейсе QLab.\n\nУбедитесь, что в QLab открыт тот же проект, из которого был выполнен импорт."_s;
}

QString AppText::saveBeforeImportQuestion()
{
    if (english())
        return u"Save current project before importing from QLab?"_s;
    return u"Сохранить текущий проект перед импортом из QLab?"_s;
}

QString AppText::saveButton()
{
    if (english())
        return u"Save"_s;
    return u"Сохранить"_s;
}

QString AppText::dontSave()
{
    if (english())
        return u"Don't Save"_s;
    return u"Не сохранять"_s;
}

QString AppText::cueListsHeader()
{
    return u"CUE LISTS"_s;
}

QString AppText::importQLab()
{
    if (english())
        return u"Import QLab"_s;
    return u"Импорт QLab"_s;
}

QString AppText::testConnection()
{
    if (english())
        return u"Test Connection"_s;
    return u"Тест соединения"_s;
}

QString AppText::debugFadeData()
{
    if (english())
        return u"Debug Fade Data"_s;
    return u"Отладка Fade данных"_s;
}

QString AppText::debugFXData()
{
    if (english())
        return u"Debug FX Data"_s;
    return u"Отладка FX данных"_s;
}

QString AppText::forCurrentList()
{
    if (english())
        return u"For current list"_s;
    return u"Для текущего списка"_s;
}

QString AppText::forAllLists()
{
    if (english())
        return u"For all lists"_s;
    return u"Для всех списков"_s;
}

QString AppText::clearAllDescriptions()
{
    if (english())
        return u"Clear all descriptions"_s;
    return u"Очистить все описания"_s;
}

QString AppText::generateNotes()
{
    if (english())
        return u"Generate Notes"_s;
    return u"Генерация описаний"_s;
}

QString AppText::writeToQLab()
{
    if (english())
        return u"Write to QLab"_s;
    return u"Записать в QLab"_s;
}

QString AppText::openProjectButton()
{
    if (english())
        return u"Open Project"_s;
    return u"Открыть проект"_s;
}

QString AppText::saveProjectButton()
{
    if (english())
        return u"Save Project"_s;
    return u"Сохранить проект"_s;
}

QString AppText::testData()
{
    if (english())
        return u"Test Data"_s;
    return u"Тестовые данные"_s;
}

QString AppText::templateLabel()
{
    if (english())
        return u"Template"_s;
    return u"Шаблон"_s;
}

QString AppText::projectLabel()
{
    if (english())
        return u"Project"_s;
    return u"Проект"_s;
}

QString AppText::exportToPDF()
{
    if (english())
        return u"Export to PDF"_s;
    return u"Экспорт в PDF"_s;
}

QString AppText::exportToNumbers()
{
    if (english())
        return u"Export to Numbers"_s;
    return u"Экспорт в Numbers"_s;
}

QString AppText::exportToExcelCSV()
{
    if (english())
        return u"Export to Excel (CSV)"_s;
    return u"Экспорт в Excel (CSV)"_s;
}

QString AppText::exportPDFShort()
{
    if (english())
        return u"Export / PDF"_s;
    return u"Экспорт / PDF"_s;
}

QString AppText::exportLabel()
{
    if (english())
        return u"Export"_s;
    return u"Экспорт"_s;
}

QString AppText::columnType()
{
    if (english())
        return u"Type"_s;
    return u"Тип"_s;
}

QString AppText::columnNumber()
{
    if (english())
        return u"#"_s;
    return u"№"_s;
}

QString AppText::columnName()
{
    if (english())
        return u"Name"_s;
    return u"Имя"_s;
}

QString AppText::columnAction()
{
    if (english())
        return u"Action"_s;
    return u"Действие"_s;
}

QString AppText::columnDescription()
{
    if (english())
        return u"Description"_s;
    return u"Описание"_s;
}

QString AppText::columnTrigger()
{
    if (english())
        return u"Trigger"_s;
    return u"Триггер"_s;
}

QString AppText::unsavedLabel()
{
    if (english())
        return u"Unsaved"_s;
    return u"Не сохранено"_s;
}

QString AppText::searchPlaceholder()
{
    if (english())
        return u"Search..."_s;
    return u"Поиск..."_s;
}

QString AppText::onlyWithTriggers()
{
    if (english())
        return u"Only with triggers"_s;
    return u"Только с триггерами"_s;
}

QString AppText::resetButton()
{
    if (english())
        return u"Reset"_s;
    return u"Сбросить"_s;
}

QString AppText::noData()
{
    if (english())
        return u"No Data"_s;
    return u"Нет данных"_s;
}

QString AppText::importDataFromQLab()
{
    if (english())
        return u"Import data from QLab"_s;
    return u"Импортируйте данные из QLab"_s;
}

QString AppText::importFromQLab()
{
    if (english())
        return u"Import from QLab"_s;
    return u"Импорт из QLab"_s;
}

QString AppText::testDataEmpty()
{
    if (english())
        return u"Test Data"_s;
    return u"Тестовые данные"_s;
}

QString AppText::selectCueList()
{
    if (english())
        return u"Select Cue List"_s;
    return u"Выберите Cue List"_s;
}

QString AppText::nothingFound()
{
    if (english())
        return u"Nothing found"_s;
    return u"Ничего не найдено"_s;
}

QString AppText::resetFilters()
{
    if (english())
        return u"Reset filters"_s;
    return u"Сбросить фильтры"_s;
}

QString AppText::importSheetTitle()
{
    if (english())
        return u"Import from QLab"_s;
    return u"Импорт из QLab"_s;
}

QString AppText::pleaseWait()
{
    if (english())
        return u"Please wait..."_s;
    return u"Подождите..."_s;
}

QString AppText::importFromQLabStart()
{
    if (english())
        return u"Import from QLab"_s;
    return u"Импорт из QLab"_s;
}

QString AppText::importCancel()
{
    if (english())
        return u"Cancel"_s;
    return u"Отмена"_s;
}

QString AppText::connectingToQLab()
{
    if (english())
        return u"Connecting to QLab..."_s;
    return u"Подключение к QLab..."_s;
}

QString AppText::checkingOSC()
{
    if (english())
        return u"Checking OSC connection..."_s;
    return u"Проверка OSC соединения..."_s;
}

QString AppText::discoveringCueLists()
{
    if (english())
        return u"Discovering Cue Lists..."_s;
    return u"Поиск Cue Lists..."_s;
}

QString AppText::importWorkspace()
{
    if (english())
        return u"Import Workspace"_s;
    return u"Импорт Workspace"_s;
}

QString AppText::workspaceCancel()
{
    if (english())
        return u"Cancel"_s;
    return u"Отмена"_s;
}

QString AppText::importButton()
{
    if (english())
        return u"Import"_s;
    return u"Импорт"_s;
}

QString AppText::selectWorkspace()
{
    if (english())
        return u"Select Workspace"_s;
    return u"Выбор Workspace"_s;
}

QString AppText::multipleWorkspacesMessage()
{
    if (english())
        return u"Multiple workspaces are open in QLab.\nChoose which one to export:"_s;
    return u"В QLab открыто несколько workspace.\nВыберите для экспорта:"_s;
}

QString AppText::openFile()
{
    if (english())
        return u"Open File..."_s;
    return u"Открыть файл..."_s;
}

QString AppText::selectButton()
{
    if (english())
        return u"Select"_s;
    return u"Выбрать"_s;
}

QString AppText::selectQLabFile()
{
    if (english())
        return u"Select QLab file"_s;
    return u"Выберите файл QLab"_s;
}

QString AppText::selectCueLists()
{
    if (english())
        return u"Select Cue Lists"_s;
    return u"Выбор Cue Lists"_s;
}

QString AppText::chooseCueListsMessage()
{
    if (english())
        return u"Choose which Cue Lists to import:"_s;
    return u"Выберите Cue Lists для импорта:"_s;
}

QString AppText::selectAll()
{
    if (english())
        return u"Select All"_s;
    return u"Выбрать все"_s;
}

QString AppText::deselectAll()
{
    if (english())
        return u"Deselect All"_s;
    return u"Снять все"_s;
}

QString AppText::importingCueData()
{
    if (english())
        return u"Importing Cue Data"_s;
    return u"Импорт данных Cue"_s;
}

QString AppText::importComplete()
{
    if (english())
        return u"Import Complete"_s;
    return u"Импорт завершён"_s;
}

QString AppText::completeProject()
{
    if (english())
        return u"Project"_s;
    return u"Проект"_s;
}

QString AppText::completeCueLists()
{
    return u"Cue Lists"_s;
}

QString AppText::totalCues()
{
    if (english())
        return u"Total Cues"_s;
    return u"Всего Cues"_s;
}

QString AppText::doneButton()
{
    if (english())
        return u"Done"_s;
    return u"Готово"_s;
}

QString AppText::importFailed()
{
    if (english())
        return u"Import Failed"_s;
    return u"Ошибка импорта"_s;
}

QString AppText::closeButton()
{
    if (english())
        return u"Close"_s;
    return u"Закрыть"_s;
}

QString AppText::retryButton()
{
    if (english())
        return u"Retry"_s;
    return u"Повторить"_s;
}

QString AppText::oscAccessDenied()
{
    if (english())
        return u"OSC Access Denied"_s;
    return u"OSC доступ запрещён"_s;
}

QString AppText::oscNotAvailable()
{
    if (english())
        return u"OSC Not Available"_s;
    return u"OSC недоступен"_s;
}

QString AppText::oscAccessDeniedMessage()
{
    if (english())
        return u"QLab OSC is running, but access is denied.\nEnable View permission or enter passcode."_s;
    return u"QLab OSC работает, но доступ запрещён.\nВключите разрешение View или введите пароль."_s;
}

QString AppText::oscNotAvailableMessage()
{
    if (english())
        return u"Cannot connect to QLab OSC on port 53000.\nEnable OSC Access in QLab Workspace Settings."_s;
    return u"Не удаётся подключиться к QLab OSC на порту 53000.\nВключите OSC Access в QLab Workspace Settings."_s;
}

QString AppText::oscAccessSteps()
{
    if (english())
        return u"1. Open QLab → Workspace Settings (⌘,)\n2. Go to Network → OSC Access tab\n3. Enable all permissions in No Passcode or your passcode row\n4. Click «Check without password» or enter passcode below"_s;
    return u"1. Откройте QLab → Workspace Settings (⌘,)\n2. Перейдите на вкладку Network → OSC Access\n3. Включите все разрешения в строке No Passcode или вашего пароля\n4. Нажмите «Проверить без пароля» или введите пароль ниже"_s;
}

QString AppText::passcodeLabel()
{
    if (english())
        return u"Passcode"_s;
    return u"Пароль"_s;
}

QString AppText::connectButton()
{
    if (english())
        return u"Connect"_s;
    return u"Подключить"_s;
}

QString AppText::enterPasscode()
{
    if (english())
        return u"Enter Passcode"_s;
    return u"Ввести пароль"_s;
}

QString AppText::checkWithoutPassword()
{
    if (english())
        return u"Check without password"_s;
    return u"Проверить без пароля"_s;
}

QString AppText::goToQLab()
{
    if (english())
        return u"Go to QLab"_s;
    return u"Перейти в QLab"_s;
}

QString AppText::skipButton()
{
    if (english())
        return u"Skip"_s;
    return u"Пропустить"_s;
}

QString AppText::mutedWord()
{
    if (english())
        return u"(muted)"_s;
    return u"(без звука)"_s;
}

QString AppText::fadesToSilence()
{
    if (english())
        return u"fades to silence"_s;
    return u"затухает до тишины"_s;
}

QString AppText::volumeRestored()
{
    if (english())
        return u"volume restored"_s;
    return u"восстанавливается громкость"_s;
}

QString AppText::rateChange()
{
    if (english())
        return u"rate change"_s;
    return u"изменение скорости"_s;
}

QString AppText::visualParametersChange()
{
    if (english())
        return u"visual parameters change"_s;
    return u"изменение визуальных параметров"_s;
}

QString AppText::parametersChange()
{
    if (english())
        return u"parameters change"_s;
    return u"изменение параметров"_s;
}

QString AppText::volumeChange()
{
    if (english())
        return u"Volume change"_s;
    return u"Изменение громкости"_s;
}

QString AppText::sendingMIDINoteOn()
{
    if (english())
        return u"Sending MIDI Note On"_s;
    return u"Отправляется MIDI Note On"_s;
}

QString AppText::sendingMIDICC()
{
    if (english())
        return u"Sending MIDI CC"_s;
    return u"Отправляется MIDI CC"_s;
}

QString AppText::sendingMSCCommand()
{
    if (english())
        return u"Sending MSC command"_s;
    return u"Отправляется MSC команда"_s;
}

QString AppText::midiProgramChange()
{
    if (english())
        return u"MIDI program change"_s;
    return u"Смена MIDI программы"_s;
}

QString AppText::sendingMIDI()
{
    if (english())
        return u"Sending MIDI"_s;
    return u"Отправляется MIDI"_s;
}

QString AppText::networkCommand()
{
    if (english())
        return u"Network command"_s;
    return u"Сетевая команда"_s;
}

QString AppText::pauseWord()
{
    if (english())
        return u"Pause"_s;
    return u"Пауза"_s;
}

QString AppText::startWord()
{
    if (english())
        return u"Start"_s;
    return u"Запуск"_s;
}

QString AppText::stopWord()
{
    if (english())
        return u"Stop"_s;
    return u"Остановка"_s;
}

QString AppText::audioWord()
{
    if (english())
        return u"audio"_s;
    return u"аудио"_s;
}

QString AppText::videoWord()
{
    if (english())
        return u"video"_s;
    return u"видео"_s;
}

QString AppText::microphoneWord()
{
    if (english())
        return u"microphone"_s;
    return u"микрофон"_s;
}

QString AppText::waitWord()
{
    if (english())
        return u"Wait"_s;
    return u"Ожидание"_s;
}

QString AppText::networkCommandAlt()
{
    if (english())
        return u"Network command"_s;
    return u"Сетевая команда"_s;
}

QString AppText::midiCommand()
{
    if (english())
        return u"MIDI command"_s;
    return u"MIDI команда"_s;
}

QString AppText::levelChange()
{
    if (english())
        return u"level change"_s;
    return u"изменение уровней"_s;
}

QString AppText::duckOthers()
{
    if (english())
        return u"duck others"_s;
    return u"приглушаются другие"_s;
}

QString AppText::hotkeyWord()
{
    if (english())
        return u"hotkey"_s;
    return u"по горячей клавише"_s;
}

QString AppText::midiTrigger()
{
    if (english())
        return u"MIDI trigger"_s;
    return u"по MIDI"_s;
}

QString AppText::timecodeWord()
{
    if (english())
        return u"timecode"_s;
    return u"по таймкоду"_s;
}

QString AppText::stopLower()
{
    if (english())
        return u"stop"_s;
    return u"стоп"_s;
}

QString AppText::commandWord()
{
    if (english())
        return u"command"_s;
    return u"команда"_s;
}

QString AppText::secondsWord()
{
    if (english())
        return u"sec"_s;
    return u"сек"_s;
}

QString AppText::rateChangeAlt()
{
    if (english())
        return u"rate change"_s;
    return u"изменение скорости"_s;
}

QString AppText::startsLabel()
{
    if (english())
        return u"Starts:"_s;
    return u"Запускается:"_s;
}

QString AppText::startsLabelAlt()
{
    if (english())
        return u"Starts:"_s;
    return u"Запускается:"_s;
}

QString AppText::microphoneLabel()
{
    if (english())
        return u"Microphone:"_s;
    return u"Микрофон:"_s;
}

QString AppText::fadeLabel()
{
    if (english())
        return u"Fade:"_s;
    return u"Фейд:"_s;
}

QString AppText::startsLabelAlt2()
{
    if (english())
        return u"Starts:"_s;
    return u"Запускается:"_s;
}

QString AppText::stopsLabel()
{
    if (english())
        return u"Stops:"_s;
    return u"Останавливается:"_s;
}

QString AppText::pausesLabel()
{
    if (english())
        return u"Pauses:"_s;
    return u"На паузу:"_s;
}

QString AppText::midiLabel()
{
    return u"MIDI:"_s;
}

QString AppText::networkCommandLabel()
{
    if (english())
        return u"Network command:"_s;
    return u"Сетевая команда:"_s;
}

QString AppText::waitLabel()
{
    if (english())
        return u"Wait:"_s;
    return u"Ожидание:"_s;
}

QString AppText::fadeStopPeersWord()
{
    if (english())
        return u"fade & stop peers"_s;
    return u"затухают другие cue в группе"_s;
}

QString AppText::fadeStopListCuesWord()
{
    if (english())
        return u"fade & stop list cues"_s;
    return u"затухают другие cue в списке"_s;
}

QString AppText::fadeStopAllCuesWord()
{
    if (english())
        return u"fade & stop all cues"_s;
    return u"затухают все cue"_s;
}

QString AppText::lightCommand()
{
    if (english())
        return u"Light command"_s;
    return u"Световая команда"_s;
}

QString AppText::scriptWord()
{
    if (english())
        return u"Script"_s;
    return u"Скрипт"_s;
}

QString AppText::cameraWord()
{
    if (english())
        return u"Camera"_s;
    return u"Камера"_s;
}

QString AppText::newProjectName()
{
    if (english())
        return u"New Project"_s;
    return u"Новый проект"_s;
}

QString AppText::testShow()
{
    if (english())
        return u"Test Show"_s;
    return u"Тестовый спектакль"_s;
}

QString AppText::act1()
{
    if (english())
        return u"ACT 1"_s;
    return u"АКТ 1"_s;
}

QString AppText::act2()
{
    if (english())
        return u"ACT 2"_s;
    return u"АКТ 2"_s;
}

QString AppText::qlabNotRunning()
{
    if (english())
        return u"QLab is not running"_s;
    return u"QLab не запущен"_s;
}

QString AppText::noOpenWorkspaces()
{
    if (english())
        return u"No open Workspaces in QLab"_s;
    return u"Нет открытых Workspace в QLab"_s;
}

QString AppText::oscNotAvailablePort()
{
    if (english())
        return u"OSC not available (port 53000)"_s;
    return u"OSC недоступен (порт 53000)"_s;
}

QString AppText::oscAccessDeniedShort()
{
    if (english())
        return u"OSC access denied"_s;
    return u"OSC доступ запрещён"_s;
}

QString AppText::noCueListsFound()
{
    if (english())
        return u"No Cue Lists found"_s;
    return u"Не найдено Cue Lists"_s;
}

QString AppText::importCancelled()
{
    if (english())
        return u"Import cancelled"_s;
    return u"Импорт отменён"_s;
}

QString AppText::invalidCheckQLabResponse()
{
    if (english())
        return u"Invalid response from checkQLab"_s;
    return u"Некорректный ответ checkQLab"_s;
}

QString AppText::invalidCheckOSCResponse()
{
    if (english())
        return u"Invalid response from checkOSC"_s;
    return u"Некорректный ответ checkOSC"_s;
}

QString AppText::invalidConnectResponse()
{
    if (english())
        return u"Invalid response from connectWithPassword"_s;
    return u"Некорректный ответ connectWithPassword"_s;
}

QString AppText::failedToReadCueLists()
{
    if (english())
        return u"Failed to read cue lists"_s;
    return u"Не удалось прочитать список cue lists"_s;
}

QString AppText::failedToReadCueListData()
{
    if (english())
        return u"Failed to read cue list data"_s;
    return u"Не удалось прочитать данные cue list"_s;
}

QString AppText::failedToReadScanResult()
{
    if (english())
        return u"Failed to read scan result"_s;
    return u"Не удалось прочитать результат сканирования"_s;
}

QString AppText::oscTestScriptNotFound()
{
    if (english())
        return u"OSC test script not found in application"_s;
    return u"Скрипт теста OSC не найден в приложении"_s;
}

QString AppText::oscDebugScriptNotFound()
{
    if (english())
        return u"OSC debug script not found in application"_s;
    return u"Скрипт отладки OSC не найден в приложении"_s;
}

QString AppText::fxDebugScriptNotFound()
{
    if (english())
        return u"FX debug script not found in application"_s;
    return u"Скрипт отладки FX не найден в приложении"_s;
}

QString AppText::scriptCreationError()
{
    if (english())
        return u"Script creation error"_s;
    return u"Ошибка создания скрипта"_s;
}

QString AppText::extractingData()
{
    if (english())
        return u"Extracting data from QLab..."_s;
    return u"Извлечение данных из QLab..."_s;
}

QString AppText::unknownError()
{
    if (english())
        return u"Unknown error"_s;
    return u"Неизвестная ошибка"_s;
}

QString AppText::importErrorTitle()
{
    if (english())
        return u"Import Error"_s;
    return u"Ошибка импорта"_s;
}

QString AppText::noCuesToWrite()
{
    if (english())
        return u"No cues with descriptions to write"_s;
    return u"Нет cue с описаниями для записи"_s;
}

QString AppText::jsonFormattingError()
{
    if (english())
        return u"JSON formatting error"_s;
    return u"Ошибка формирования JSON"_s;
}

QString AppText::tempFileWriteError()
{
    if (english())
        return u"Temp file write error"_s;
    return u"Ошибка записи временного файла"_s;
}

QString AppText::notesWriterScriptNotFound()
{
    if (english())
        return u"Script QLab_NotesWriter.txt not found"_s;
    return u"Скрипт QLab_NotesWriter.txt не найден"_s;
}

QString AppText::failedToReadScript()
{
    if (english())
        return u"Failed to read script"_s;
    return u"Не удалось прочитать скрипт"_s;
}

QString AppText::failedToReadResult()
{
    if (english())
        return u"Failed to read result"_s;
    return u"Не удалось прочитать результат"_s;
}

QString AppText::exportToExcel()
{
    if (english())
        return u"Export to Excel"_s;
    return u"Экспорт в Excel"_s;
}

QString AppText::creatingCSVForExcel()
{
    if (english())
        return u"Creating CSV file for Excel"_s;
    return u"Создание файла CSV для Excel"_s;
}

QString AppText::exportForNumbers()
{
    if (english())
        return u"Export for Numbers"_s;
    return u"Экспорт для Numbers"_s;
}

QString AppText::creatingCSVForNumbers()
{
    if (english())
        return u"Creating CSV file for Numbers"_s;
    return u"Создание файла CSV для Numbers"_s;
}

QString AppText::exportToPDFTitle()
{
    if (english())
        return u"Export to PDF"_s;
    return u"Экспорт в PDF"_s;
}

QString AppText::creatingPDFDocument()
{
    if (english())
        return u"Creating PDF document with table"_s;
    return u"Создание PDF-документа с таблицей"_s;
}

QString AppText::fileSaved()
{
    if (english())
        return u"File Saved"_s;
    return u"Файл сохранён"_s;
}

QString AppText::csvReadyExcel()
{
    if (english())
        return u"CSV file is ready. Open it in Excel to view the table."_s;
    return u"CSV файл готов. Откройте его в Excel для просмотра таблицы."_s;
}

QString AppText::csvReadyNumbers()
{
    if (english())
        return u"CSV file is ready. Open it in Numbers to view the table."_s;
    return u"CSV файл готов. Откройте его в Numbers для просмотра таблицы."_s;
}

QString AppText::openButton()
{
    if (english())
        return u"Open"_s;
    return u"Открыть"_s;
}

QString AppText::openInNumbers()
{
    if (english())
        return u"Open in Numbers"_s;
    return u"Открыть в Numbers"_s;
}

QString AppText::showInFinder()
{
    if (english())
        return u"Show in Finder"_s;
    return u"Показать в Finder"_s;
}

QString AppText::pdfSaved()
{
    if (english())
        return u"PDF Saved"_s;
    return u"PDF сохранён"_s;
}

QString AppText::copiedTitle()
{
    if (english())
        return u"Copied"_s;
    return u"Скопировано"_s;
}

QString AppText::tableCopied()
{
    if (english())
        return u"Table copied to clipboard. Paste it in Numbers or Excel (⌘V)."_s;
    return u"Таблица скопирована в буфер обмена. Вставьте её в Numbers или Excel (⌘V)."_s;
}

QString AppText::exportErrorTitle()
{
    if (english())
        return u"Export Error"_s;
    return u"Ошибка экспорта"_s;
}

QString AppText::failedToCreatePDF()
{
    if (english())
        return u"Failed to create PDF"_s;
    return u"Не удалось создать PDF"_s;
}

QString AppText::exportColumnType()
{
    if (english())
        return u"Type"_s;
    return u"Тип"_s;
}

QString AppText::exportColumnNumber()
{
    if (english())
        return u"#"_s;
    return u"№"_s;
}

QString AppText::exportColumnName()
{
    if (english())
        return u"Name"_s;
    return u"Имя"_s;
}

QString AppText::exportColumnAction()
{
    if (english())
        return u"Action"_s;
    return u"Действие"_s;
}

QString AppText::exportColumnDescription()
{
    if (english())
        return u"Description"_s;
    return u"Описание"_s;
}

QString AppText::exportColumnTrigger()
{
    if (english())
        return u"Trigger"_s;
    return u"Триггер"_s;
}

QString AppText::saveProjectTitle()
{
    if (english())
        return u"Save Project"_s;
    return u"Сохранить проект"_s;
}

QString AppText::openProjectTitle()
{
    if (english())
        return u"Open Project"_s;
    return u"Открыть проект"_s;
}

QString AppText::saveErrorTitle()
{
    if (english())
        return u"Save Error"_s;
    return u"Ошибка сохранения"_s;
}

QString AppText::fileOpenErrorTitle()
{
    if (english())
        return u"File Open Error"_s;
    return u"Ошибка открытия файла"_s;
}

QString AppText::exportDialogTitle()
{
    if (english())
        return u"Export Marrowlark"_s;
    return u"Экспорт Marrowlark"_s;
}

QString AppText::formatLabel()
{
    if (english())
        return u"Format"_s;
    return u"Формат"_s;
}

QString AppText::columnsLabel()
{
    if (english())
        return u"Columns"_s;
    return u"Колонки"_s;
}

QString AppText::selectAllColumns()
{
    if (english())
        return u"Select All"_s;
    return u"Выбрать все"_s;
}

QString AppText::resetToDefault()
{
    if (english())
        return u"Reset to Default"_s;
    return u"По умолчанию"_s;
}

QString AppText::preserveColors()
{
    if (english())
        return u"Preserve colors and text styles"_s;
    return u"Сохранять цвета и стили текста"_s;
}

QString AppText::addVersionInfo()
{
    if (english())
        return u"Add Marrowlark version info"_s;
    return u"Добавить информацию о версии Marrowlark"_s;
}

QString AppText::splitCueLists()
{
    if (english())
        return u"Split cue lists automatically"_s;
    return u"Разделять Cue Lists автоматически"_s;
}

QString AppText::exportConfirm()
{
    if (english())
        return u"Export"_s;
    return u"Экспорт"_s;
}

QString AppText::selectAtLeastOneColumn()
{
    if (english())
        return u"Please select at least one column to export."_s;
    return u"Выберите хотя бы одну колонку для экспорта."_s;
}

QString AppText::generatedBy()
{
    if (english())
        return u"Generated by"_s;
    return u"Создано"_s;
}

QString AppText::versionLabel()
{
    if (english())
        return u"Version"_s;
    return u"Версия"_s;
}

QString AppText::exportDateLabel()
{
    if (english())
        return u"Export date"_s;
    return u"Дата экспорта"_s;
}

QString AppText::websiteLabel()
{
    if (english())
        return u"Website"_s;
    return u"Сайт"_s;
}

QString AppText::continuedBelow()
{
    if (english())
        return u"⤸ continued"_s;
    return u"⤸ перенос"_s;
}

QString AppText::continuedAbove()
{
    if (english())
        return u"continued ⤷"_s;
    return u"перенос ⤷"_s;
}

QString AppText::thankYou()
{
    if (english())
        return u"Thank you for using Marrowlark"_s;
    return u"Спасибо, что пользуетесь Marrowlark"_s;
}

QString AppText::supportText()
{
    return longText(u"support"_s);
}

QString AppText::leaveATip()
{
    if (english())
        return u"Leave a tip"_s;
    return u"Оставить чаевые"_s;
}

QString AppText::subscribeToChannel()
{
    if (english())
        return u"Subscribe to channel"_s;
    return u"Подписаться на канал"_s;
}

QString AppText::supportTheProject()
{
    if (english())
        return u"Support the Project"_s;
    return u"Поддержать проект"_s;
}

QString AppText::closeSupport()
{
    if (english())
        return u"Close"_s;
    return u"Закрыть"_s;
}

QString AppText::licenseAgreementMenu()
{
    if (english())
        return u"License Agreement"_s;
    return u"Лицензионное соглашение"_s;
}

QString AppText::licenseAgreementTitle()
{
    if (english())
        return u"License Agreement"_s;
    return u"Лицензионное соглашение"_s;
}

QString AppText::licenseAgreementText()
{
    return longText(u"license"_s);
}

QString AppText::privacyPolicyMenu()
{
    if (english())
        return u"Privacy Policy"_s;
    return u"Политика конфиденциальности"_s;
}

QString AppText::privacyPolicyTitle()
{
    if (english())
        return u"Privacy Policy"_s;
    return u"Политика конфиденциальности"_s;
}

QString AppText::privacyPolicyText()
{
    return longText(u"privacy"_s);
}

QString AppText::editDescriptionUndo()
{
    if (english())
        return u"Edit Description"_s;
    return u"Редактирование описания"_s;
}

QString AppText::generateDescriptionsUndo()
{
    if (english())
        return u"Generate Descriptions"_s;
    return u"Автогенерация описаний"_s;
}

QString AppText::clearDescriptionsUndo()
{
    if (english())
        return u"Clear Descriptions"_s;
    return u"Очистка описаний"_s;
}

QString AppText::undoMenu()
{
    if (english())
        return u"Undo"_s;
    return u"Отменить"_s;
}

QString AppText::redoMenu()
{
    if (english())
        return u"Redo"_s;
    return u"Повторить"_s;
}

QString AppText::languageLabel()
{
    if (english())
        return u"Language"_s;
    return u"Язык"_s;
}

QString AppText::themeLabel()
{
    if (english())
        return u"Theme"_s;
    return u"Тема"_s;
}

QString AppText::themeDark()
{
    if (english())
        return u"Dark"_s;
    return u"Тёмная"_s;
}

QString AppText::themeLight()
{
    if (english())
        return u"Light"_s;
    return u"Светлая"_s;
}

QString AppText::themeAuto()
{
    if (english())
        return u"Auto"_s;
    return u"Авто"_s;
}
