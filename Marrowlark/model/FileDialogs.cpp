#include "model/FileDialogs.h"

#include <QDebug>

namespace {

// Until a window supplies real dialogs there is nobody to ask.
class NoFileDialogs : public FileDialogs
{
public:
    void chooseOpenPath(const QString &, const QString &, PathCallback done) override { done({}); }
    void chooseSavePath(
        const QString &, const QString &, const QString &, PathCallback done) override
    {
        done({});
    }
    void showAlert(const QString &title, const QString &text) override
    {
        qWarning().noquote() << title << text;
    }
    void showChoice(const QString &title, const QString &text, const QStringList &,
        std::function<void(int)> done) override
    {
        qInfo().noquote() << title << text;
        done(-1);
    }
};

NoFileDialogs noFileDialogs;
FileDialogs *installed = &noFileDialogs;

} // namespace

FileDialogs &FileDialogs::current()
{
    return *installed;
}

void FileDialogs::setCurrent(FileDialogs *dialogs)
{
    installed = dialogs ? dialogs : &noFileDialogs;
}
