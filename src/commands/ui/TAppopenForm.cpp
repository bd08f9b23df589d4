#include "commands/ui/TAppopenForm.h"

namespace quorix {

TAppopenForm::TAppopenForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("外部コマンド設定"), QSize(494, 366))
{
    setObjectName(QStringLiteral("AppopenForm"));
}

} // namespace quorix
