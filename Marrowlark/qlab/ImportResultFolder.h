#pragma once

#include <QString>
#include <QTemporaryDir>

// A private folder (mode 0700) for the result files of one import run, so no other user can
// plant, link or leave a file there that would pass for our result. Removed with its contents
// when the object goes.
class ImportResultFolder
{
public:
    ImportResultFolder();

    // False when the folder could not be created; errorString() says why.
    bool isValid() const { return m_folder.isValid(); }
    QString errorString() const { return m_folder.errorString(); }
    QString path() const { return m_folder.path(); }

    // "Vantorelle_Import_<position>.json": one chosen list, counted from 0.
    QString importFilePath(int position) const;
    // "Vantorelle_Triggers.json".
    QString triggersFilePath() const;

private:
    QTemporaryDir m_folder;
};
