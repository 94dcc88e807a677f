#include "FakeFileDialogs.h"

FakeFileDialogs::FakeFileDialogs()
{
    FileDialogs::setCurrent(this);
}

FakeFileDialogs::~FakeFileDialogs()
{
    FileDialogs::setCurrent(nullptr);
}

void FakeFileDialogs::chooseOpenPath(const QString &title, const QString &suffix, PathCallback done)
{
    openRequests.append({ title, suffix, {} });
    done(openAnswer);
}

void FakeFileDialogs::chooseSavePath(
    const QString &title, const QString &suffix, const QString &suggestedName, PathCallback done)
{
    saveRequests.append({ title, suffix, suggestedName });
    done(saveAnswer);
}

void FakeFileDialogs::showAlert(const QString &title, const QString &text)
{
    alerts.append({ title, text, {} });
}

void FakeFileDialogs::showChoice(const QString &title, const QString &text,
    const QStringList &buttons, std::function<void(int)> done)
{
    alerts.append({ title, text, buttons });
    done(choiceAnswer);
}
