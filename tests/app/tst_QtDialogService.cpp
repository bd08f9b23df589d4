#include "support/TestMain.h"

#include "app/ui/QtDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quorix;
using namespace Qt::StringLiterals;

namespace {

// Runs work on the modal box that the service opens next, once it is on screen.
void whenModalShown(std::function<void(QMessageBox*)> work)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, work] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        work(box);
    });
    poll->start();
}

QStringList buttonTexts(QMessageBox* box)
{
    QStringList texts;
    for (QAbstractButton* b : box->buttons())
        texts << b->text();
    texts.sort();
    return texts;
}

} // namespace

class QtDialogServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxButtonsAndResults_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("press");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("icon");
        QTest::newRow("ok, information") << int(MB_OK | MB_ICONINFORMATION) << QStringList{u"OK"_s}
                                         << u"OK"_s << int(IDOK) << int(QMessageBox::Information);
        QTest::newRow("ok cancel, cancel")
            << int(MB_OKCANCEL | MB_ICONEXCLAMATION) << QStringList{u"OK"_s, u"キャンセル"_s}
            << u"キャンセル"_s << int(IDCANCEL) << int(QMessageBox::Warning);
        QTest::newRow("yes no, no")
            << int(MB_YESNO | MB_ICONQUESTION) << QStringList{u"いいえ(&N)"_s, u"はい(&Y)"_s}
            << u"いいえ(&N)"_s << int(IDNO) << int(QMessageBox::Question);
        QTest::newRow("yes no, yes")
            << int(MB_YESNO | MB_ICONSTOP) << QStringList{u"いいえ(&N)"_s, u"はい(&Y)"_s}
            << u"はい(&Y)"_s << int(IDYES) << int(QMessageBox::Critical);
    }
    void messageBoxButtonsAndResults()
    {
        QFETCH(int, flags);
        QFETCH(QStringList, buttons);
        QFETCH(QString, press);
        QFETCH(int, result);
        QFETCH(int, icon);
        QtDialogService service;
        QStringList seen;
        QString title;
        int seenIcon = -1;
        whenModalShown([&](QMessageBox* box) {
            seen = buttonTexts(box);
            title = box->windowTitle();
            seenIcon = box->icon();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == press)
                    b->click();
        });
        QCOMPARE(service.messageBox(u"本文"_s, u"確認"_s, flags), result);
        QCOMPARE(seen, buttons);
        QCOMPARE(title, u"確認"_s);
        QCOMPARE(seenIcon, icon);
    }

    void messageBoxWithoutTitleIsTheProgramsTitle()
    {
        QtDialogService service;
        QString title;
        whenModalShown([&](QMessageBox* box) {
            title = box->windowTitle();
            box->buttons().constFirst()->click();
        });
        QCOMPARE(service.messageBox(u"x"_s, QString(), MB_OK), int(IDOK));
        QCOMPARE(title, u"Quorix"_s);
    }

    void warningIsPlacedAndClosingMeansNo()
    {
        QtDialogService service;
        QPoint at;
        QString title;
        QStringList seen;
        whenModalShown([&](QMessageBox* box) {
            QTimer::singleShot(50, box, [&, box] {
                at = box->frameGeometry().topLeft();
                title = box->windowTitle();
                seen = buttonTexts(box);
                box->reject();
            });
        });
        QCOMPARE(service.warning(u"ディレクトリ"_s, QPoint(150, 130), WarningButtons::YesNo),
                 int(IDNO));
        QCOMPARE(at, QPoint(150, 130));
        QCOMPARE(title, u"警告"_s);
        QCOMPARE(seen, QStringList({u"いいえ(&N)"_s, u"はい(&Y)"_s}));
    }

    // A quick operation shows no window; a slow one shows it after the delay.
    void progressAppearsOnlyAfterTheDelay()
    {
        QtDialogService service;
        auto progress = service.openProgress(u"コピー"_s);
        progress->setProgress(1, 10);
        auto visibleProgress = [] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (qobject_cast<QProgressDialog*>(w) && w->isVisible())
                    return true;
            return false;
        };
        QVERIFY(!visibleProgress());
        QTRY_VERIFY_WITH_TIMEOUT(visibleProgress(), 3000);
        QVERIFY(!progress->cancelRequested());
        progress.reset();
        QVERIFY(!visibleProgress());
    }
};

QUORIX_TEST(QtDialogServiceTest)
#include "tst_QtDialogService.moc"
