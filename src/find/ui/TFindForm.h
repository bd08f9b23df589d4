#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Filter and search-name dialog.
class TFindForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TFindForm(TForm1* form1);
};

} // namespace quorix
