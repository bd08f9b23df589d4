#include "KatakanaTexts.h"
#include "platform/CodePage.h"
#include "support/TestMain.h"

#include <QTest>

using namespace quorix::platform;
using namespace Qt::StringLiterals;

class tst_CodePage : public QObject
{
    Q_OBJECT
private slots:
    void katakanaTextsSurviveCp932()
    {
        for (const QString& text : halfWidthKatakanaTexts()) {
            bool encoded = false;
            const QByteArray bytes = toCp932(text, &encoded);
            QVERIFY2(encoded, qPrintable(text));
            bool decoded = false;
            QCOMPARE(fromCp932(bytes, &decoded), text);
            QVERIFY(decoded);
        }
    }

    void halfWidthKatakanaIsOneByte()
    {
        // ｶ (U+FF76) is the single byte 0xB6; a full-width カ takes two.
        QCOMPARE(toCp932(u"ｶ"_s), QByteArray("\xB6"));
        QCOMPARE(toCp932(u"カ"_s), QByteArray("\x83\x4A"));
        QCOMPARE(toCp932(u"ＯＫ"_s), QByteArray("\x82\x6E\x82\x6A"));
        QCOMPARE(fromCp932("\x83\x5C"), u"ソ"_s); // trail byte 0x5C is not a separator
    }

    void badInputIsReported()
    {
        bool ok = true;
        const QString text = fromCp932("A\x81", &ok); // lead byte cut off at the end
        QVERIFY(!ok);
        QCOMPARE(text.left(1), u"A"_s);
        ok = true;
        QCOMPARE(toCp932(u"a\U0001F600b"_s, &ok), QByteArray("a?b"));
        QVERIFY(!ok);
    }

    void localTextPrefersUtf8()
    {
        QCOMPARE(decodeLocalText(u"ﾌｧｲﾙ 日本"_s.toUtf8()), u"ﾌｧｲﾙ 日本"_s);
        QCOMPARE(decodeLocalText(toCp932(u"ﾌｧｲﾙ 日本"_s)), u"ﾌｧｲﾙ 日本"_s);
        QCOMPARE(decodeLocalText(QByteArray()), QString());
        QVERIFY(!isValidUtf8("\xC0\x80"));     // overlong
        QVERIFY(!isValidUtf8("\xED\xA0\x80")); // surrogate
        QVERIFY(isValidUtf8("\xF0\x9F\x98\x80"));
    }
};

QUORIX_TEST(tst_CodePage)
#include "tst_CodePage.moc"
