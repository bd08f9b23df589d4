#include "commands/ui/TSettingForm.h"

namespace quorix {

TSettingForm::TSettingForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("設定画面"), QSize(442, 138))
{
    setObjectName(QStringLiteral("SettingForm"));
}

} // namespace quorix
