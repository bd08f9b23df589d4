#pragma once

#include <QDialog>

namespace quorix {

class TForm1;

// Base of the program's dialogs: created once, they keep a pointer to the main window
// whose fields they read and write, and centre themselves on it each time they are shown
// (FormShow; a dialog that overrides it calls CentreOnMain itself).
class QuorixDialog : public QDialog
{
    Q_OBJECT

public:
    QuorixDialog(TForm1* form1, const QString& caption, QSize clientSize);

    TForm1* Form1 = nullptr;

protected:
    virtual void FormShow();
    void showEvent(QShowEvent* event) override;
};

} // namespace quorix
