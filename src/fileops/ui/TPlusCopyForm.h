#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Copy / move destination dialog.
class TPlusCopyForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TPlusCopyForm(TForm1* form1);
};

} // namespace quorix
