#include "navigation/ui/TSortForm.h"

namespace quorix {

TSortForm::TSortForm(TForm1* form1)
    : QuorixDialog(form1, QStringLiteral("ソートタイプ"), QSize(240, 170))
{
    setObjectName(QStringLiteral("SortForm"));
}

} // namespace quorix
