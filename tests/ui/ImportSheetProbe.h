#pragma once

#include "ui/import/ImportChoiceRow.h"
#include "ui/import/ImportFlowView.h"
#include "ui/import/ImportPage.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// Finds what the user sees on the import sheet and presses it. Pages that were replaced are
// hidden at once (and deleted later), so only visible widgets count.
namespace ImportSheetProbe {

template <typename T> QList<T *> visible(QWidget *sheet, const QString &name = {})
{
    QList<T *> found;
    for (T *widget : sheet->findChildren<T *>(name)) {
        if (widget->isVisibleTo(sheet))
            found << widget;
    }
    return found;
}

template <typename T = QPushButton> T *find(QWidget *sheet, const char *name)
{
    const QList<T *> found = visible<T>(sheet, QString::fromLatin1(name));
    return found.size() == 1 ? found.first() : nullptr;
}

inline QString text(QWidget *sheet, const char *labelName)
{
    QLabel *label = find<QLabel>(sheet, labelName);
    return label ? label->text() : QString();
}

// Waits until the button is shown and enabled, then clicks it.
inline bool click(QWidget *sheet, const char *name, int timeout = 20000)
{
    if (!QTest::qWaitFor(
            [&] {
                QPushButton *button = find(sheet, name);
                return button && button->isEnabled();
            },
            timeout))
        return false;
    QTest::mouseClick(find(sheet, name), Qt::LeftButton);
    return true;
}

inline QList<ImportChoiceRow *> rows(QWidget *sheet)
{
    return visible<ImportChoiceRow>(sheet);
}

} // namespace ImportSheetProbe
