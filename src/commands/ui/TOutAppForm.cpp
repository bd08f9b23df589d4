#include "commands/ui/TOutAppForm.h"

namespace quorix {

TOutAppForm::TOutAppForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("引数"), QSize(342, 173))
{
    setObjectName(QStringLiteral("OutAppForm"));
}

} // namespace quorix
