#include "fileops/ui/TPlusCopyForm.h"

namespace quorix {

TPlusCopyForm::TPlusCopyForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("コピー"), QSize(242, 213))
{
    setObjectName(QStringLiteral("PlusCopyForm"));
}

} // namespace quorix
