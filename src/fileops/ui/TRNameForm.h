#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Rename dialog for one item.
class TRNameForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TRNameForm(TForm1* form1);
};

} // namespace quorix
