#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// External command settings.
class TAppopenForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TAppopenForm(TForm1* form1);
};

} // namespace quorix
