#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

// One button of an alert: its objectName (what tests press), its text and its role.
struct AlertButton
{
    QString objectName;
    QString text;
    QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
};

// Opens a window-modal message box over parent: title as its bold message, text below it, every
// outside text shown as plain text. done (when given) gets the index of the button pressed, or -1
// when the box was closed otherwise; the box deletes itself afterwards. A button with the reject
// role answers Escape and the window's close box.
QMessageBox *openAlert(QWidget *parent, const QString &objectName, QMessageBox::Icon icon,
    const QString &title, const QString &text, const QList<AlertButton> &buttons,
    std::function<void(int button)> done = {});
