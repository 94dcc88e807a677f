#include "ui/QtFileDialogs.h"

#include "model/AppText.h"
#include "ui/AlertBox.h"

#include <QFileDialog>

using namespace Qt::StringLiterals;

namespace {

void openPanel(QFileDialog *panel, FileDialogs::PathCallback done)
{
    panel->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(
        panel, &QFileDialog::finished, panel, [panel, done = std::move(done)](int result) {
            done(result == QDialog::Accepted ? panel->selectedFiles().value(0) : QString());
        });
    panel->open();
}

QString filterFor(const QString &suffix)
{
    return u"*."_s + suffix;
}

} // namespace

void QtFileDialogs::chooseOpenPath(const QString &title, const QString &suffix, PathCallback done)
{
    auto *panel = new QFileDialog(m_window, title, QString(), filterFor(suffix));
    panel->setObjectName(u"openPanel"_s);
    panel->setAcceptMode(QFileDialog::AcceptOpen);
    panel->setFileMode(QFileDialog::ExistingFile);
    openPanel(panel, std::move(done));
}

void QtFileDialogs::chooseSavePath(
    const QString &title, const QString &suffix, const QString &suggestedName, PathCallback done)
{
    auto *panel = new QFileDialog(m_window, title, QString(), filterFor(suffix));
    panel->setObjectName(u"savePanel"_s);
    panel->setAcceptMode(QFileDialog::AcceptSave);
    panel->setFileMode(QFileDialog::AnyFile);
    panel->setDefaultSuffix(suffix);
    panel->selectFile(suggestedName);
    openPanel(panel, std::move(done));
}

void QtFileDialogs::showAlert(const QString &title, const QString &text)
{
    openAlert(m_window, u"warningAlert"_s, QMessageBox::Warning, title, text,
        { { u"alertOKButton"_s, AppText::okButton(), QMessageBox::AcceptRole } });
}

void QtFileDialogs::showChoice(const QString &title, const QString &text,
    const QStringList &buttons, std::function<void(int)> done)
{
    QList<AlertButton> alertButtons;
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        // The last button closes the alert without an action.
        const bool last = i == buttons.size() - 1;
        alertButtons.append({ u"choiceButton"_s + QString::number(i), buttons.at(i),
            last ? QMessageBox::RejectRole : QMessageBox::ActionRole });
    }
    openAlert(m_window, u"choiceAlert"_s, QMessageBox::Information, title, text, alertButtons,
        std::move(done));
}
