#include "app/ui/QuorixDialog.h"

#include "app/ui/Fonts.h"
#include "app/ui/TForm1.h"

#include <QShowEvent>

namespace quorix {

QuorixDialog::QuorixDialog(TForm1* form1, const QString& caption, QSize clientSize)
    : QDialog(form1), Form1(form1)
{
    setWindowTitle(caption);
    // Fixed-size dialogs with only a close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(clientSize);
    setFont(designFont(kPGothic, 12));
    setModal(true);
}

void QuorixDialog::FormShow()
{
    if (Form1)
        Form1->CentreOnMain(this);
}

void QuorixDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

} // namespace quorix
