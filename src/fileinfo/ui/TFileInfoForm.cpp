#include "fileinfo/ui/TFileInfoForm.h"

namespace quorix {

TFileInfoForm::TFileInfoForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("ﾌｧｲﾙ情報"), QSize(392, 273))
{
    setObjectName(QStringLiteral("FileInfoForm"));
}

} // namespace quorix
