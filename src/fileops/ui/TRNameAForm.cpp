#include "fileops/ui/TRNameAForm.h"

namespace quorix {

TRNameAForm::TRNameAForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("名前変更"), QSize(372, 116))
{
    setObjectName(QStringLiteral("RNameAForm"));
}

} // namespace quorix
