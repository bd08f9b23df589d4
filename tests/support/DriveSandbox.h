#pragma once

// Drives mapped into one temporary folder for the length of a test (QUORIX_DRIVES);
// the fixture for flow tests of every area.

#include "platform/DriveTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace quorix::test {

class DriveSandbox
{
public:
    // spec: "C" -> C: as a fixed drive in a folder of its own; "D=cdrom" -> D: of that
    // kind; "A=removable:" with nothing after the colon is a drive without a medium.
    explicit DriveSandbox(const QStringList& drives = {QStringLiteral("C")})
        : m_saved(qgetenv("QUORIX_DRIVES"))
    {
        QStringList entries;
        for (const QString& d : drives) {
            const QChar letter = d.at(0);
            QString kind = d.mid(2);
            if (kind.endsWith(u':')) {
                entries << QString(letter) + u'=' + kind;
                continue;
            }
            const QString root = m_dir.filePath(QString(letter));
            QDir().mkpath(root);
            entries << QString(letter) + u'=' + (kind.isEmpty() ? QString() : kind + u':') + root;
        }
        qputenv("QUORIX_DRIVES", entries.join(u';').toUtf8());
        platform::DriveTable::reload();
    }
    ~DriveSandbox()
    {
        qputenv("QUORIX_DRIVES", m_saved);
        platform::DriveTable::reload();
    }

    // Native folder of a drive letter.
    QString root(QChar letter) const { return m_dir.filePath(QString(letter)); }
    // Native path of a path below a drive, "/" separated: native('C', "A/B").
    QString native(QChar letter, const QString& relative = {}) const
    {
        return relative.isEmpty() ? root(letter) : root(letter) + u'/' + relative;
    }
    void mkdir(QChar letter, const QString& relative) const
    {
        QVERIFY(QDir().mkpath(native(letter, relative)));
    }
    void write(QChar letter, const QString& relative, const QByteArray& data = "x") const
    {
        QFile f(native(letter, relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(data);
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_saved;
};

} // namespace quorix::test
