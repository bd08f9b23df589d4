// Routes the events of the main window's controls to the TForm1 handlers.

#include "app/ui/TForm1.h"

#include "navigation/KeyMap.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTreeView>
#include <QUrl>

namespace quorix {

namespace {

// The upper-case rule of the path and mask boxes: typed letters become capitals.
QChar upperCased(QChar c)
{
    return c.toUpper();
}

} // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    if (acceptDrops() && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    if (!paths.isEmpty())
        FilesDropped(paths);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        auto* ke = static_cast<QKeyEvent*>(event);
        // Keys with Alt held reach the dialog-key hook once, at the focused control.
        QWidget* focus = QApplication::focusWidget();
        const bool atFocus = w && (w == focus || (!focus && w == this));
        if (atFocus && w->window() == this &&
            (ke->modifiers().testFlag(Qt::AltModifier) || ke->key() == Qt::Key_Alt))
            CMDialogKey(ke);
    }
    if (watched == ComboBox1 || watched == ComboBox2) {
        return filterComboEvent(static_cast<QComboBox*>(watched), watched, event);
    }
    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        if (box && (watched == box->lineEdit() || watched == box->view() ||
                    watched == box->view()->viewport()))
            return filterComboEvent(box, watched, event);
    }
    if (ListView1 && (watched == ListView1 || watched == ListView1->viewport()))
        return filterListEvent(event);
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::filterComboEvent(QComboBox* box, QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            ComboClickArmed = true;
        return false;
    case QEvent::KeyRelease:
        m_keyAtComboEdit = nullptr;
        return false;
    case QEvent::KeyPress: {
        // Keys reach the box itself (its edit field gets them from the box directly). A key
        // sent to the edit field, as tests do, comes on to the box when the field ignores
        // it: handle it once.
        if (watched == box->lineEdit()) {
            m_keyAtComboEdit = event;
        } else if (watched == box && m_keyAtComboEdit == event) {
            m_keyAtComboEdit = nullptr;
            return false;
        }
        auto* ke = static_cast<QKeyEvent*>(event);
        int key = ke->key();
        ComboBox1KeyDown(key, ke->modifiers());
        const QString text = ke->text();
        if (text.size() != 1 || ke->modifiers().testFlag(Qt::ControlModifier) ||
            ke->modifiers().testFlag(Qt::AltModifier))
            return false;
        QChar typed = text.at(0);
        const QChar original = typed;
        if (box == ComboBox1)
            ComboBox1KeyPress(typed);
        else
            ComboBox2KeyPress(typed);
        if (typed.isNull())
            return true;
        if (!typed.isPrint())
            return typed != original;
        const QChar shown = upperCased(typed);
        if (shown == original)
            return false;
        // Replace the key by the character the handlers and the upper-case rule leave.
        if (box->view()->isVisible())
            return false;
        box->lineEdit()->insert(QString(shown));
        return true;
    }
    default:
        return false;
    }
}

bool TForm1::filterListEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        const QString text = ke->text();
        // Tab moves the focus before any character is made of it.
        if (text.size() > 1 || ke->modifiers().testFlag(Qt::AltModifier) ||
            ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab)
            return false;
        // Ctrl+H, Ctrl+M, Ctrl+[ ... become their control characters (navigation/KeyMap).
        const int code =
            characterCode(ke->key(), ke->modifiers(), text.isEmpty() ? QChar() : text.at(0));
        if (code == 0)
            return false;
        QChar typed(code);
        ListView1KeyPress(typed);
        return typed.isNull();
    }
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->isAutoRepeat())
            return false;
        int key = ke->key();
        ListView1KeyUp(key, ke->modifiers());
        return key == 0;
    }
    case QEvent::MouseButtonRelease:
        ListView1Click();
        return false;
    case QEvent::MouseButtonDblClick:
        ListView1DblClick();
        return false;
    default:
        return false;
    }
}

} // namespace quorix
