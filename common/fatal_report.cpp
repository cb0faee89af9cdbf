#include "common/fatal_report.h"

#include "common/app_identity.h"
#include "common/message_box.h"

#include <windows.h>

#include <new>

namespace {

constexpr const char* kFatalTexts[] = {
    "Library not found  ",
    "Function not found ",
    "Insufficient memory",
    "Array index error  ",
    "Resource not found ",
    "Variant type error ",
};

void AppendText(const char* text, char* buffer, size_t size, size_t& used)
{
    for (; text && *text && used + 1 < size; ++text)
        buffer[used++] = *text;
    buffer[used] = '\0';
}

void ReportExhaustedMemory() { FatalReport(FatalErrorCode::InsufficientMemory); }

}  // namespace

void ComposeFatalText(FatalErrorCode code, const char* name, char* buffer, size_t size)
{
    if (size == 0)
        return;
    size_t used = 0;
    buffer[0] = '\0';
    AppendText(kFatalTexts[static_cast<int>(code)], buffer, size, used);
    AppendText(name, buffer, size, used);
}

void FatalReport(FatalErrorCode code, const char* name)
{
    char text[128];
    ComposeFatalText(code, name, text, sizeof text);
    ShowMessageBox(nullptr, text, kAppIdentifier, MB_OK);
    ExitProcess(static_cast<UINT>(code) + 1);
}

void InstallMemoryFailureHook() { std::set_new_handler(ReportExhaustedMemory); }
