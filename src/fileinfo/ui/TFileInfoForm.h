#pragma once

#include "app/ui/QuorixDialog.h"

namespace quorix {

// File information: attributes and time stamp.
class TFileInfoForm : public QuorixDialog
{
    Q_OBJECT

public:
    explicit TFileInfoForm(TForm1* form1);
};

} // namespace quorix
