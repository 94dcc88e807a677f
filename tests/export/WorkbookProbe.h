#pragma once

// Reads a built workbook back with tools we did not write: unzip -t, xmllint on every part,
// and openpyxl through xlsx_dump.py.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class WorkbookProbe
{
public:
    // Empty text when every reader accepted the workbook, else what went wrong.
    QString read(const QByteArray &xlsx)
    {
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        const QString file = m_dir.filePath(QStringLiteral("book.xlsx"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(xlsx) != xlsx.size())
            return QStringLiteral("cannot write ") + file;
        out.close();

        QString error;
        if (!run(QStringLiteral("unzip"), { QStringLiteral("-tq"), file }, &error))
            return error;
        QByteArray listing;
        if (!run(QStringLiteral("unzip"), { QStringLiteral("-Z1"), file }, &error, &listing))
            return error;
        m_entryOrder = QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts);
        const QString partsDir = m_dir.filePath(QStringLiteral("parts"));
        if (!run(QStringLiteral("unzip"),
                { QStringLiteral("-oq"), file, QStringLiteral("-d"), partsDir }, &error))
            return error;
        QDirIterator it(partsDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile part(path);
            if (!part.open(QIODevice::ReadOnly))
                return QStringLiteral("cannot read ") + path;
            m_parts.insert(QDir(partsDir).relativeFilePath(path), part.readAll());
            if (!run(QStringLiteral("xmllint"), { QStringLiteral("--noout"), path }, &error))
                return error;
        }
        QByteArray json;
        if (!run(QStringLiteral("/usr/bin/python3"),
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
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            *error = program + u' ' + arguments.join(u' ') + QStringLiteral(": ")
                + QString::fromUtf8(
                    process.readAllStandardError() + process.readAllStandardOutput());
            return false;
        }
        if (output)
            *output = process.readAllStandardOutput();
        return true;
    }

    QTemporaryDir m_dir;
    QMap<QString, QByteArray> m_parts;
    QStringList m_entryOrder;
    QJsonArray m_sheets;
};
