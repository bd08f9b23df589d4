#include "support/TestMain.h"

#include "PeBuilder.h"
#include "listing/FileTypeName.h"
#include "listing/PeIconReader.h"
#include "listing/RowColourRule.h"

#include <QImage>
#include <QTest>

using namespace quorix;

namespace {

// Stands in for the main image list: numbers pictures from 18 and remembers what came.
class FakeImages : public TypeImageSink
{
public:
    int appendTypeIcon(const QString& iconName, const QString&) override
    {
        if (iconName.isEmpty())
            return -1;
        names.append(iconName);
        return next++;
    }
    int appendProgramIcon(const QByteArray& ico) override
    {
        programs.append(ico);
        return next++;
    }
    int next = 18;
    QStringList names;
    QList<QByteArray> programs;
};

} // namespace

class TypeCacheTest : public QObject
{
    Q_OBJECT

private slots:
    void keys_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("extension") << u"a.txt"_qs << u".TXT"_qs;
        QTest::newRow("last dot") << u"a.tar.gz"_qs << u".GZ"_qs;
        QTest::newRow("none") << u"README"_qs << QString();
        QTest::newRow("program") << u"Setup.exe"_qs << u"SETUP.EXE"_qs;
        QTest::newRow("exe inside") << u"a.exe.txt"_qs << u".TXT"_qs;
        QTest::newRow("digits and signs") << u"a.Mp3_-~"_qs << u".MP3_-~"_qs;
        QTest::newRow("dot only") << u"a."_qs << u"."_qs;
        QTest::newRow("accented") << u"a.caf\u00e9"_qs << u".CAF\u00c9"_qs;
        QTest::newRow("sharp s") << u"a.sto\u00df"_qs << u".STOSS"_qs;
    }

    void keys()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QCOMPARE(typeCacheKey(name), key);
    }

    void sameExtensionSharesOneEntryAndOneImage()
    {
        TypeCache cache;
        FakeImages images;
        QCOMPARE(cache.count(), 16);
        const TypeLookup a = FileTypeName(cache, u"a.txt"_qs, u"C:\\ONE"_qs, &images, {});
        const TypeLookup b = FileTypeName(cache, u"B.TXT"_qs, u"C:\\TWO"_qs, &images, {});
        QCOMPARE(a.number, 17);
        QCOMPARE(b.number, 17);
        QCOMPARE(a.imageIndex, 18);
        QCOMPARE(b.imageIndex, 18);
        QCOMPARE(images.names.size(), 1);
        QCOMPARE(cache.entry(17).key, u".TXT"_qs);
        QCOMPARE(cache.entry(17).imageIndex, u"18"_qs);
        // The locale is pinned to Japanese: the MIME database's Japanese comment is used.
        QVERIFY2(!a.typeName.endsWith(generatedTypeSuffix()), qPrintable(a.typeName));
        QCOMPARE(a.typeName, mimeTypeName(u".TXT"_qs));

        // Another folder later in the run: no new picture for a known type.
        FileTypeName(cache, u"c.Txt"_qs, u"D:"_qs, &images, {});
        QCOMPARE(cache.count(), 17);
        QCOMPARE(images.next, 19);
    }

    void unknownTypesGetGeneratedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typeName");
        QTest::newRow("unknown extension") << u"data.xyz"_qs << u"XYZ ﾌｧｲﾙ"_qs;
        QTest::newRow("no extension") << u"README"_qs << u" ﾌｧｲﾙ"_qs;
        QTest::newRow("unknown binary") << u"blob.bin"_qs << u"BIN ﾌｧｲﾙ"_qs;
    }

    void unknownTypesGetGeneratedNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, typeName);
        TypeCache cache;
        FakeImages images;
        const TypeLookup t = FileTypeName(cache, name, u"C:"_qs, &images, {});
        QCOMPARE(t.typeName, typeName);
        QCOMPARE(t.imageIndex, kNoIconImage);
        QCOMPARE(cache.entry(t.number).imageIndex, u"15"_qs);
        QVERIFY(images.names.isEmpty());
    }

    void programsByIcon()
    {
        TypeCache cache;
        FakeImages images;
        QStringList opened;
        const ProgramIconReader reader = [&](const QString& path) -> std::optional<QByteArray> {
            opened.append(path);
            MemoryByteSource bytes(
                quorix::test::buildPeWithIcon(qRgb(0, 0, 255), !path.contains(u"Dos")));
            return firstProgramIcon(bytes);
        };
        const TypeLookup win = FileTypeName(cache, u"Tool.exe"_qs, u"C:\\BIN"_qs, &images, reader);
        QCOMPARE(win.typeName, programTypeText());
        QCOMPARE(win.imageIndex, 18);
        QCOMPARE(rowColourFor(win.typeName, u"A"_qs), RowColour::Navy);
        // The file is read by its own name, not by the upper-case key.
        QCOMPARE(opened, QStringList{u"C:\\BIN\\Tool.exe"_qs});

        const TypeLookup dos = FileTypeName(cache, u"Dos.EXE"_qs, u"C:\\BIN"_qs, &images, reader);
        QCOMPARE(dos.typeName, programWithoutIconText());
        QCOMPARE(dos.imageIndex, kNoIconImage);
        QCOMPARE(rowColourFor(dos.typeName, u"R"_qs), RowColour::MaroonStruck);

        // Programs are cached per upper-case name: the same name elsewhere is not read.
        FileTypeName(cache, u"TOOL.EXE"_qs, u"D:\\OTHER"_qs, &images, reader);
        QCOMPARE(opened.size(), 2);
        QCOMPARE(cache.count(), 18);
    }

    void fullCacheStoresNothingMore()
    {
        TypeCache cache;
        FakeImages images;
        for (int i = 0; i < TypeCache::kCapacity; ++i)
            QCOMPARE(cache.add({u".X%1"_qs.arg(i), u"15"_qs, u"x"_qs}), 17 + i);
        QCOMPARE(cache.count(), 9998);
        QVERIFY(cache.isFull());
        QCOMPARE(cache.add({u".MORE"_qs, u"15"_qs, u"x"_qs}), 0);

        const TypeLookup t = FileTypeName(cache, u"a.txt"_qs, u"C:"_qs, &images, {});
        QCOMPARE(t.number, 0);
        QCOMPARE(t.imageIndex, kNoIconImage);
        QCOMPARE(t.typeName, u"TXT ﾌｧｲﾙ"_qs);
        QVERIFY(images.names.isEmpty());
        QCOMPARE(cache.count(), 9998);
        // Known types still come from the cache.
        QCOMPARE(FileTypeName(cache, u"b.x5"_qs, u"C:"_qs, &images, {}).number, 22);
    }

    void peIconDecodes()
    {
        MemoryByteSource bytes(quorix::test::buildPeWithIcon(qRgb(200, 10, 20)));
        const std::optional<QByteArray> ico = firstProgramIcon(bytes);
        QVERIFY(ico.has_value());
        const QImage image = QImage::fromData(*ico, "ICO");
        QCOMPARE(image.size(), QSize(16, 16));
        QCOMPARE(QColor(image.pixel(3, 3)), QColor(200, 10, 20));
    }

    void peIconRejectsDamage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = quorix::test::buildPeWithIcon(qRgb(1, 2, 3));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not MZ") << QByteArray(4096, 'x');
        QTest::newRow("no resources") << quorix::test::buildPeWithIcon(0, false);
        QTest::newRow("cut in headers") << good.left(0x100);
        QTest::newRow("cut in image") << good.left(0x200 + 0x180);
        QByteArray farHeader = good;
        qToLittleEndian<quint32>(0x7FFFFFF0u, farHeader.data() + 0x3C);
        QTest::newRow("header offset past end") << farHeader;
        QByteArray hugeImage = good;
        qToLittleEndian<quint32>(0xFFFFFFF0u, hugeImage.data() + 0x200 + 0xA4);
        QTest::newRow("image size past end") << hugeImage;
        QByteArray loop = good;
        qToLittleEndian<quint32>(0x80000000u, loop.data() + 0x200 + 0x30 + 20);
        QTest::newRow("directory points at root") << loop;
    }

    void peIconRejectsDamage()
    {
        QFETCH(QByteArray, bytes);
        MemoryByteSource source(bytes);
        QVERIFY(!firstProgramIcon(source).has_value());
    }
};

QUORIX_TEST(TypeCacheTest)
#include "tst_TypeCache.moc"
