#include "support/TestMain.h"

#include "navigation/KeyMap.h"

#include <QSet>
#include <QTest>

using namespace quorix;

Q_DECLARE_METATYPE(quorix::ListEvent)
Q_DECLARE_METATYPE(quorix::SelectedRow)
Q_DECLARE_METATYPE(quorix::KeyCommand)

namespace {

KeyInput input(ListEvent event, int code, SelectedRow row = SelectedRow::File, int dirLength = 6,
               bool editing = false)
{
    KeyInput in;
    in.event = event;
    in.code = code;
    in.row = row;
    in.currentDirLength = dirLength;
    in.editingName = editing;
    return in;
}

} // namespace

class KeyMapTest : public QObject
{
    Q_OBJECT

private slots:
    // The command map as the user meets it, stated independently of the table in code.
    void dispatch_data()
    {
        QTest::addColumn<ListEvent>("event");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<SelectedRow>("row");
        QTest::addColumn<int>("dirLength");
        QTest::addColumn<KeyCommand>("command");
        QTest::addColumn<bool>("consumed");
        QTest::addColumn<bool>("editingAfter");

        using E = ListEvent;
        using R = SelectedRow;
        using C = KeyCommand;
        const auto ch = E::Character;
        const struct
        {
            const char* name;
            int code;
            KeyCommand command;
        } letters[] = {{"copy", 'C', C::Copy},        {"delete", 'D', C::Delete},
                       {"find", 'F', C::FindFile},    {"info", 'I', C::FileInfo},
                       {"drives", 'L', C::DriveMenu}, {"move", 'M', C::Move},
                       {"rename", 'R', C::Rename},    {"sort", 'S', C::Sort},
                       {"view", 'V', C::View},        {"edit", 'E', C::Editor}};
        for (const auto& l : letters) {
            QTest::addRow("%s upper", l.name)
                << ch << l.code << false << R::File << 6 << l.command << true << false;
            QTest::addRow("%s lower", l.name)
                << ch << (l.code + 32) << false << R::File << 6 << l.command << true << false;
        }
        QTest::newRow("X is consumed, runs nothing")
            << ch << int('X') << false << R::File << 6 << C::None << true << false;
        QTest::newRow("digit is consumed")
            << ch << int('1') << false << R::File << 6 << C::None << true << false;
        QTest::newRow("Ctrl+C is not copy")
            << ch << 3 << false << R::File << 6 << C::None << true << false;
        QTest::newRow("BS in C:") << ch << 8 << false << R::Folder << 2 << C::None << true << false;
        QTest::newRow("BS in C:\\")
            << ch << 8 << false << R::Folder << 3 << C::None << true << false;
        QTest::newRow("BS in C:\\A")
            << ch << 8 << false << R::Folder << 4 << C::UpOneLevel << true << false;
        QTest::newRow("Enter on file")
            << ch << 13 << false << R::File << 4 << C::OpenSelectedRow << true << false;
        QTest::newRow("Enter on ..")
            << ch << 13 << false << R::Parent << 4 << C::OpenSelectedRow << true << false;
        QTest::newRow("Enter, no row")
            << ch << 13 << false << R::None << 4 << C::None << true << false;
        QTest::newRow("Esc") << ch << 27 << false << R::File << 4 << C::CloseMainWindow << true
                             << false;
        QTest::newRow("Space") << ch << 32 << false << R::File << 4 << C::RefreshKeepSelection
                               << true << false;
        QTest::newRow("E on ..") << ch << int('e') << false << R::Parent << 6 << C::UpOneLevel
                                 << true << false;
        QTest::newRow("E on folder")
            << ch << int('E') << false << R::Folder << 6 << C::Editor << true << false;
        QTest::newRow("E, no row")
            << ch << int('E') << false << R::None << 6 << C::Editor << true << false;
        QTest::newRow("D while editing")
            << ch << int('D') << true << R::File << 6 << C::None << false << true;
        QTest::newRow("Esc while editing")
            << ch << 27 << true << R::File << 6 << C::None << false << true;
        QTest::newRow("Enter ends editing and opens")
            << ch << 13 << true << R::File << 6 << C::OpenSelectedRow << true << false;

        const auto up = E::KeyRelease;
        QTest::newRow("Left in C:\\A")
            << up << 0x25 << false << R::File << 4 << C::UpOneLevel << false << false;
        QTest::newRow("Left in C:")
            << up << 0x25 << false << R::File << 2 << C::None << false << false;
        QTest::newRow("Right on folder")
            << up << 0x27 << false << R::Folder << 4 << C::EnterSelectedFolder << false << false;
        QTest::newRow("Right, no row")
            << up << 0x27 << false << R::None << 4 << C::None << false << false;
        QTest::newRow("Left while editing")
            << up << 0x25 << true << R::File << 6 << C::None << false << true;
        QTest::newRow("Enter release ends editing")
            << up << 13 << true << R::File << 6 << C::None << false << false;
        QTest::newRow("other release")
            << up << 0x26 << false << R::File << 6 << C::None << false << false;

        QTest::newRow("double-click while editing")
            << E::DoubleClick << 0 << true << R::File << 6 << C::OpenSelectedRow << false << true;
        QTest::newRow("double-click, no row")
            << E::DoubleClick << 0 << false << R::None << 6 << C::None << false << false;
        QTest::newRow("click ends editing")
            << E::Click << 0 << true << R::File << 6 << C::None << false << false;
    }

    void dispatch()
    {
        QFETCH(ListEvent, event);
        QFETCH(int, code);
        QFETCH(bool, editing);
        QFETCH(SelectedRow, row);
        QFETCH(int, dirLength);
        QFETCH(KeyCommand, command);
        QFETCH(bool, consumed);
        QFETCH(bool, editingAfter);

        const KeyOutcome out = dispatchKey(input(event, code, row, dirLength, editing));
        QCOMPARE(out.command, command);
        QCOMPARE(out.consume, consumed);
        QCOMPARE(out.editingName, editingAfter);
        // Every character and every release hides the panel; only releases re-arm it.
        QCOMPARE(out.hidePanel, event == ListEvent::Character || event == ListEvent::KeyRelease);
        QCOMPARE(out.clearPanelShown, event == ListEvent::KeyRelease);
    }

    // Walks the table in code: each binding is reachable, the table covers every command,
    // and every character outside it is swallowed without a command.
    void tableWalk()
    {
        QSet<KeyCommand> seen;
        QSet<int> boundCharacters;
        for (const KeyBinding& b : keyBindings()) {
            KeyInput in = input(b.event, b.code);
            switch (b.condition) {
            case KeyCondition::Always:
            case KeyCondition::HasRow:
            case KeyCondition::NotParentRow:
            case KeyCondition::BelowRoot:
                break;
            case KeyCondition::OnParentRow:
                in.row = SelectedRow::Parent;
                break;
            }
            QCOMPARE(dispatchKey(in).command, b.command);
            seen.insert(b.command);
            if (b.event == ListEvent::Character) {
                QVERIFY2(b.code < 'a' || b.code > 'z', "letters are bound in upper case");
                boundCharacters.insert(b.code);
                if (b.code >= 'A' && b.code <= 'Z')
                    boundCharacters.insert(b.code + 32);
            }
        }
        for (int c = int(KeyCommand::UpOneLevel); c <= int(KeyCommand::View); ++c)
            QVERIFY2(seen.contains(KeyCommand(c)), qPrintable(QString::number(c)));
        for (int code = 0; code < 0x3000; ++code) {
            if (boundCharacters.contains(code))
                continue;
            const KeyOutcome out = dispatchKey(input(ListEvent::Character, code));
            QCOMPARE(out.command, KeyCommand::None);
            QVERIFY(out.consume);
        }
    }

    void characterCodes_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        const int ctrl = int(Qt::ControlModifier);
        QTest::newRow("Ctrl+H is Backspace") << int(Qt::Key_H) << ctrl << QStringLiteral("h") << 8;
        QTest::newRow("Ctrl+H translated") << int(Qt::Key_H) << ctrl << QStringLiteral("\b") << 8;
        QTest::newRow("Ctrl+M is Enter") << int(Qt::Key_M) << ctrl << QString() << 13;
        QTest::newRow("Ctrl+[ is Esc") << int(Qt::Key_BracketLeft) << ctrl << QString() << 27;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << QStringLiteral("\b") << 8;
        QTest::newRow("keypad Enter")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << QStringLiteral("\r") << 13;
        QTest::newRow("Shift+Space")
            << int(Qt::Key_Space) << int(Qt::ShiftModifier) << QStringLiteral(" ") << 32;
        QTest::newRow("d") << int(Qt::Key_D) << 0 << QStringLiteral("d") << int('d');
        QTest::newRow("Shift+D") << int(Qt::Key_D) << int(Qt::ShiftModifier) << QStringLiteral("D")
                                 << int('D');
        QTest::newRow("Shift alone")
            << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << QString() << 0;
    }

    void characterCodes()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(characterCode(key, Qt::KeyboardModifiers(modifiers),
                               text.isEmpty() ? QChar() : text.front()),
                 code);
    }

    void virtualKeys()
    {
        QCOMPARE(virtualKeyCode(Qt::Key_Left), 0x25);
        QCOMPARE(virtualKeyCode(Qt::Key_Right), 0x27);
        QCOMPARE(virtualKeyCode(Qt::Key_Return), 13);
        QCOMPARE(virtualKeyCode(Qt::Key_Up), 0);
    }
};

QUORIX_TEST(KeyMapTest)
#include "tst_KeyMap.moc"
