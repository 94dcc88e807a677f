#include "qlab/ImportResultFolder.h"

#include <QDir>

using namespace Qt::StringLiterals;

// QTemporaryDir creates the folder with mkdtemp: a fresh name, owner-only access.
ImportResultFolder::ImportResultFolder()
    : m_folder(QDir::tempPath() + u"/Marrowlark-import-XXXXXX"_s)
{ }

QString ImportResultFolder::importFilePath(int position) const
{
    return m_folder.filePath(u"Vantorelle_Import_"_s + QString::number(position) + u".json"_s);
}

QString ImportResultFolder::triggersFilePath() const
{
    return m_folder.filePath(u"Vantorelle_Triggers.json"_s);
}
