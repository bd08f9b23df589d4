#include "fileops/ui/TRNameForm.h"

namespace quorix {

TRNameForm::TRNameForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("名前変更"), QSize(372, 167))
{
    setObjectName(QStringLiteral("RNameForm"));
}

} // namespace quorix
