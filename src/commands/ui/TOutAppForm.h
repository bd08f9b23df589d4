#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Argument prompt of an external command.
class TOutAppForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TOutAppForm(TForm1* form1);
};

} // namespace quorix
