#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// Editor settings.
class TSettingForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TSettingForm(TForm1* form1);
};

} // namespace quorix
