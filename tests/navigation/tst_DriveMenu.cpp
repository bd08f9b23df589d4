#include "support/TestMain.h"

#include "support/DriveSandbox.h"
#include "navigation/DriveMenu.h"

#include <QTest>

using namespace quorix;
using namespace Qt::StringLiterals;
using platform::DriveKind;

class DriveMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void captions_data()
    {
        QTest::addColumn<QStringList>("drives");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("icons");
        QTest::newRow("floppy, disk, cd")
            << QStringList{u"D=cdrom"_s, u"A=removable"_s, u"C"_s}
            << QStringList{u"&A: (ﾌﾛｯﾋﾟｰﾃﾞｨｽｸ)"_s, u"&C: (固定ﾃﾞｨｽｸ)"_s, u"&D: (CD-ROM)"_s}
            << QList<int>{6, 8, 11};
        QTest::newRow("only A: is a floppy")
            << QStringList{u"C"_s, u"E=removable"_s}
            << QStringList{u"&C: (固定ﾃﾞｨｽｸ)"_s, u"&E: (ﾘﾑｰﾊﾞﾌﾞﾙﾃﾞｨｽｸ)"_s} << QList<int>{8, 7};
        QTest::newRow("network, ram disk, no medium")
            << QStringList{u"C"_s, u"N=remote"_s, u"R=ramdisk"_s, u"Q=cdrom:"_s}
            << QStringList{u"&C: (固定ﾃﾞｨｽｸ)"_s, u"&N: (ﾈｯﾄﾜｰｸ)"_s, u"&Q: (CD-ROM)"_s,
                           u"&R: (RAM ﾃﾞｨｽｸ)"_s}
            << QList<int>{8, 9, 11, 12};
    }
    void captions()
    {
        QFETCH(QStringList, drives);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, icons);
        test::DriveSandbox sandbox(drives);
        const QList<DriveMenuItem> items = driveMenuItems(platform::DriveTable::current().drives());
        QStringList gotCaptions;
        QList<int> gotIcons;
        for (const DriveMenuItem& i : items) {
            gotCaptions << i.caption;
            gotIcons << i.iconIndex;
        }
        QCOMPARE(gotCaptions, captions);
        QCOMPARE(gotIcons, icons);
        for (const QString& c : captions)
            QCOMPARE(driveOfMenuCaption(c), c.mid(1, 2));
    }

    void unknownKindGetsNoItem()
    {
        const QList<platform::Drive> drives{{u'B', DriveKind::Unknown, "/x"},
                                            {u'c', DriveKind::Fixed, "/"}};
        const QList<DriveMenuItem> items = driveMenuItems(drives);
        QCOMPARE(items.size(), 1);
        QCOMPARE(items[0].caption, u"&C: (固定ﾃﾞｨｽｸ)"_s);
    }

    void position()
    {
        // Half the list height is truncated: 301 / 2 = 150.
        QCOMPARE(driveMenuPosition(QRect(100, 50, 580, 400), 301), QPoint(130, 300));
        QCOMPARE(driveMenuPosition(QRect(-20, 0, 600, 500), 300), QPoint(10, 350));
    }
};

QUORIX_TEST(DriveMenuTest)
#include "tst_DriveMenu.moc"
