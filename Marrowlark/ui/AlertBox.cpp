#include "ui/AlertBox.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

#include <cmath>

QMessageBox *openAlert(QWidget *parent, const QString &objectName, QMessageBox::Icon icon,
    const QString &title, const QString &text, const QList<AlertButton> &buttons,
    std::function<void(int button)> done)
{
    auto *box = new QMessageBox(parent);
    box->setObjectName(objectName);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setIcon(icon);
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    box->setTextFormat(Qt::PlainText);
    box->setText(title);
    box->setInformativeText(text);
    if (auto *informative
        = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"))) {
        // It guesses rich text on its own; file names and QLab's texts are not.
        informative->setTextFormat(Qt::PlainText);
        // Wide enough for each short line, so that a count never wraps below its words; longer
        // lines still wrap at the width a message box allows.
        constexpr qreal widestUnwrapped = 500;
        const QFontMetricsF metrics(informative->font());
        qreal widest = 0;
        for (const QString &line : text.split(u'\n'))
            widest = qMax(widest, metrics.horizontalAdvance(line));
        informative->setMinimumWidth(int(std::ceil(qMin(widest, widestUnwrapped))));
    }

    QList<QAbstractButton *> added;
    for (const AlertButton &button : buttons) {
        QPushButton *pushButton = box->addButton(button.text, button.role);
        pushButton->setObjectName(button.objectName);
        if (button.role == QMessageBox::RejectRole)
            box->setEscapeButton(pushButton);
        added.append(pushButton);
    }
    if (added.size() == 1)
        box->setDefaultButton(qobject_cast<QPushButton *>(added.first()));

    QObject::connect(box, &QMessageBox::finished, box, [box, added, done = std::move(done)] {
        if (done)
            done(int(added.indexOf(box->clickedButton())));
    });
    box->open();
    return box;
}
