#pragma once

#include "model/FileDialogs.h"

#include <QPointer>
#include <QWidget>

// The real panels and alerts: file dialogs and message boxes, window-modal over the main window
// and opened with open(). Panels are named "openPanel" and "savePanel", alerts "warningAlert"
// (button "alertOKButton") and "choiceAlert" (buttons "choiceButton0", "choiceButton1", ...).
class QtFileDialogs : public FileDialogs
{
public:
    // The window the panels and alerts belong to; none makes them application-modal.
    void setWindow(QWidget *window) { m_window = window; }

    void chooseOpenPath(const QString &title, const QString &suffix, PathCallback done) override;
    void chooseSavePath(const QString &title, const QString &suffix, const QString &suggestedName,
        PathCallback done) override;
    void showAlert(const QString &title, const QString &text) override;
    void showChoice(const QString &title, const QString &text, const QStringList &buttons,
        std::function<void(int)> done) override;

private:
    QPointer<QWidget> m_window;
};
