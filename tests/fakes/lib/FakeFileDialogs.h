#pragma once

#include "model/FileDialogs.h"

#include <QList>

// Answers the file panels at once with preset paths and records every request and alert.
// Installs itself while it exists.
class FakeFileDialogs : public FileDialogs
{
public:
    struct Request
    {
        QString title;
        QString suffix;
        QString suggestedName;
    };
    struct Alert
    {
        QString title;
        QString text;
        QStringList buttons;
    };

    FakeFileDialogs();
    ~FakeFileDialogs() override;

    void chooseOpenPath(const QString &title, const QString &suffix, PathCallback done) override;
    void chooseSavePath(const QString &title, const QString &suffix, const QString &suggestedName,
        PathCallback done) override;
    void showAlert(const QString &title, const QString &text) override;
    // Recorded as an alert and answered with choiceAnswer.
    void showChoice(const QString &title, const QString &text, const QStringList &buttons,
        std::function<void(int)> done) override;

    // Empty answers cancel.
    QString openAnswer;
    QString saveAnswer;
    int choiceAnswer = -1;

    QList<Request> openRequests;
    QList<Request> saveRequests;
    QList<Alert> alerts;
};
