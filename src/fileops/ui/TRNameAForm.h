#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Rename mode chooser for several items.
class TRNameAForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TRNameAForm(TForm1* form1);
};

} // namespace quorix
