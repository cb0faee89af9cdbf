#include "infowin/info_status.h"

#include "infowin/progress_text.h"
#include "infowin/variant_reading.h"

HWND InfoStatusBar = nullptr;

void OnProgressChange(VARIANT* progress, VARIANT* progressMax)
{
    long long maximum = WholeNumber(VariantNumber(*progressMax));
    if (maximum == 0)
        return;
    long long done = WholeNumber(VariantNumber(*progress));
    SetWindowTextA(InfoStatusBar, ProgressText(done, maximum).c_str());
}

void OnStatusTextChange(VARIANT* text)
{
    SetWindowTextA(InfoStatusBar, VariantText(*text).c_str());
}
