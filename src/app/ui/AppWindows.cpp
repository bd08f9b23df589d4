#include "app/ui/AppWindows.h"

#include "app/ui/TForm1.h"
#include "commands/ui/TAppopenForm.h"
#include "commands/ui/TOutAppForm.h"
#include "commands/ui/TSettingForm.h"
#include "fileinfo/ui/TFileInfoForm.h"
#include "fileops/ui/TPlusCopyForm.h"
#include "fileops/ui/TRNameAForm.h"
#include "fileops/ui/TRNameForm.h"
#include "find/ui/TFindForm.h"
#include "navigation/ui/TSortForm.h"

namespace quorix {

void createDialogs(TForm1* form1)
{
    form1->PlusCopyForm = new TPlusCopyForm(form1);
    form1->FindForm = new TFindForm(form1);
    form1->SortForm = new TSortForm(form1);
    form1->FileInfoForm = new TFileInfoForm(form1);
    form1->OutAppForm = new TOutAppForm(form1);
    form1->AppopenForm = new TAppopenForm(form1);
    form1->RNameAForm = new TRNameAForm(form1);
    form1->RNameForm = new TRNameForm(form1);
    form1->SettingForm = new TSettingForm(form1);
}

} // namespace quorix
