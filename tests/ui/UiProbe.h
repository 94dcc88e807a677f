#pragma once

// Finding the windows, dialogs and buttons of the program by objectName, as a user would find
// them on screen, and answering them.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
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
    QWidget *box = shown(dialog);
    auto *pressed = box->findChild<QAbstractButton *>(button);
    if (!pressed)
        return false;
    pressed->click();
    const QPointer<QWidget> guard(box);
    return QTest::qWaitFor([&] { return !guard || !guard->isVisible(); }, 5000);
}

// The informative text of the message box shown under that name.
inline QString alertText(const QString &dialog)
{
    const auto *box = shown<QMessageBox>(dialog);
    return box ? box->informativeText() : QString();
}
