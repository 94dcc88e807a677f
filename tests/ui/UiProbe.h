#pragma once

// Finding the windows, dialogs and buttons of the program by objectName, as a user would find
// them on screen, and answering them.

#include "ui/import/ImportChoiceRow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// The visible widget of that name and type, in any window; nullptr when none is shown.
template <typename T = QWidget> T *shown(const QString &objectName)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName && window->isVisible()) {
            if (auto *found = qobject_cast<T *>(window))
                return found;
        }
        for (T *child : window->findChildren<T *>(objectName)) {
            if (child->isVisible())
                return child;
        }
    }
    return nullptr;
}

inline int shownCount(const QString &objectName)
{
    int count = 0;
    for (QWidget *window : QApplication::topLevelWidgets())
        count += window->objectName() == objectName && window->isVisible();
    return count;
}

// Waits for the dialog, presses its button and lets the answer run.
inline bool answer(const QString &dialog, const QString &button)
{
    if (!QTest::qWaitFor([&] { return shown(dialog) != nullptr; }, 5000))
        return false;
    const QPointer<QWidget> guard(shown(dialog));
    auto *pressed = guard->findChild<QAbstractButton *>(button);
    if (!pressed)
        return false;
    pressed->click();
    return QTest::qWaitFor([&] { return !guard || !guard->isVisible(); }, 5000);
}

// The informative text of the message box shown under that name.
inline QString alertText(const QString &dialog)
{
    const auto *box = shown<QMessageBox>(dialog);
    return box ? box->informativeText() : QString();
}

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
    const QLabel *label = find<QLabel>(sheet, labelName);
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

} // namespace ImportSheetProbe
