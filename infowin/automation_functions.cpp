#include "infowin/automation_functions.h"

#include "common/named_lookup.h"
#include "common/shell_functions.h"
#include "infowin/automation_text.h"

HRESULT LastStatus = -1;
AutomationFunctions automationFunctions;

void LookUpAutomationFunctions()
{
    AutomationFunctions& f = automationFunctions;
    f.coInitialize = LookUpFunction<CoInitializeFunction>(shellFunctions.ole32, "CoInitialize");
    HMODULE kernel32 = LoadLibraryOrReport("kernel32.dll");
    f.formatMessage = LookUpFunction<FormatMessageFunction>(kernel32, "FormatMessageA");
    f.multiByteToWideChar = LookUpFunction<MultiByteToWideCharFunction>(kernel32, "MultiByteToWideChar");
    f.wideCharToMultiByte = LookUpFunction<WideCharToMultiByteFunction>(kernel32, "WideCharToMultiByte");
    HMODULE atl = LoadSystemLibraryOrReport("ATL.DLL");
    f.atlAxWinInit = LookUpFunction<AtlAxWinInitFunction>(atl, "AtlAxWinInit");
    f.atlAxCreateControl = LookUpFunction<AtlAxCreateControlFunction>(atl, "AtlAxCreateControl");
    f.atlAxGetControl = LookUpFunction<AtlAxGetControlFunction>(atl, "AtlAxGetControl");
}

std::string AnsiFromWide(const wchar_t* text)
{
    if (!text)
        return {};
    int count = automationFunctions.wideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (count <= 1)
        return {};
    std::string converted(static_cast<size_t>(count), '\0');
    count = automationFunctions.wideCharToMultiByte(CP_ACP, 0, text, -1, converted.data(), count, nullptr, nullptr);
    converted.resize(count > 0 ? static_cast<size_t>(count - 1) : 0);
    return converted;
}

void* QueryInterfaceByText(void* object, const char* interfaceText)
{
    if (!object) {
        LastStatus = kEmptyObjectStatus;
        return nullptr;
    }
    void* result = nullptr;
    LastStatus = static_cast<IUnknown*>(object)->QueryInterface(InterfaceIdFromText(interfaceText), &result);
    return SUCCEEDED(LastStatus) ? result : nullptr;
}
