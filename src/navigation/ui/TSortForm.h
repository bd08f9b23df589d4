#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Sort order dialog.
class TSortForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TSortForm(TForm1* form1);
};

} // namespace quorix
