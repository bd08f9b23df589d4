#include "find/ui/TFindForm.h"

namespace quorix {

TFindForm::TFindForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("絞り込み・検索"), QSize(270, 90))
{
    setObjectName(QStringLiteral("FindForm"));
}

} // namespace quorix
