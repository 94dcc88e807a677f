#pragma once

// Reads a built workbook back with tools we did not write: unzip -t, xmllint on every part,
// and openpyxl through xlsx_dump.py.

#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class WorkbookProbe
{
public:
    // Empty text when every reader accepted the workbook, else what went wrong.
    QString read(const QByteArray &xlsx)
    {
        if (!m_dir.isValid())
            return u"no temporary folder"_s;
        const QString file = m_dir.filePath(u"book.xlsx"_s);
        if (!writeFile(file, xlsx))
            return u"cannot write "_s + file;

        QString error;
        if (!run(u"unzip"_s, { u"-tq"_s, file }, &error))
            return error;
        QByteArray listing;
        if (!run(u"unzip"_s, { u"-Z1"_s, file }, &error, &listing))
            return error;
        m_entryOrder = QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts);
        const QString partsDir = m_dir.filePath(u"parts"_s);
        if (!run(u"unzip"_s, { u"-oq"_s, file, u"-d"_s, partsDir }, &error))
            return error;
        QDirIterator it(partsDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile part(path);
            if (!part.open(QIODevice::ReadOnly))
                return u"cannot read "_s + path;
            m_parts.insert(QDir(partsDir).relativeFilePath(path), part.readAll());
            if (!run(u"xmllint"_s, { u"--noout"_s, path }, &error))
                return error;
        }
        QByteArray json;
        if (!run(u"/usr/bin/python3"_s,
                { QStringLiteral(MARROWLARK_TEST_DATA "/export/xlsx_dump.py"), file }, &error,
                &json))
            return error;
        m_sheets = QJsonDocument::fromJson(json).object().value(u"sheets").toArray();
        return {};
    }

    QByteArray part(const QString &path) const { return m_parts.value(path); }
    // The archive's entries in their stored order.
    QStringList entryOrder() const { return m_entryOrder; }

    QStringList sheetNames() const
    {
        QStringList names;
        for (const QJsonValue &sheet : m_sheets)
            names.append(sheet[u"name"].toString());
        return names;
    }
    QJsonObject sheet(int index) const { return m_sheets[index].toObject(); }
    QJsonArray rows(int sheetIndex) const { return sheet(sheetIndex)[u"rows"].toArray(); }
    QJsonObject cell(int sheetIndex, int row, int column) const
    {
        return rows(sheetIndex)[row][column].toObject();
    }
    QJsonArray columns(int sheetIndex) const { return sheet(sheetIndex)[u"columns"].toArray(); }

private:
    bool run(const QString &program, const QStringList &arguments, QString *error,
        QByteArray *output = nullptr)
    {
        const std::optional<QByteArray> result = runTool(program, arguments, error);
        if (result && output)
            *output = *result;
        return result.has_value();
    }

    QTemporaryDir m_dir;
    QMap<QString, QByteArray> m_parts;
    QStringList m_entryOrder;
    QJsonArray m_sheets;
};
