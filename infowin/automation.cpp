#include "infowin/automation.h"

#include "common/app_identity.h"
#include "common/fatal_report.h"
#include "common/message_box.h"
#include "infowin/automation_text.h"
#include "infowin/event_sink.h"
#include "infowin/variant_reading.h"

#include <cstring>
#include <vector>

namespace {

constexpr UINT kMessageStyle = MB_OK | MB_SETFOREGROUND;

// Holds the value of a by-reference property argument during its call.
LONG byReferenceSlot = 0;

struct ResolvedMember {
    DISPID id;
    WORD kind;
    std::string name;
};

// ANSI text to wide text: one call to count, one to convert.
std::wstring WideText(const char* text)
{
    int count = automationFunctions.multiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (count < 1)
        return {};
    std::wstring wide(static_cast<size_t>(count), L'\0');
    count = automationFunctions.multiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), count);
    wide.resize(count > 0 ? static_cast<size_t>(count - 1) : 0);
    return wide;
}

void ReportCreationFailure(const char* progId, HRESULT code)
{
    std::string text = CreationFailureText(progId, SystemErrorText(code), static_cast<uint32_t>(code));
    ShowMessageBox(nullptr, text.c_str(), kAppIdentifier, kMessageStyle);
}

DISPID LookUpDispid(ObjectRef object, const std::string& name)
{
    std::wstring wideName = WideText(name.c_str());
    LPOLESTR names[1] = {wideName.data()};
    DISPID id = 0;
    LastStatus = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

void TurnIntoReference(VARIANT& value)
{
    byReferenceSlot = value.lVal;
    value.vt = VT_BYREF | VT_DISPATCH;
    value.byref = &byReferenceSlot;
}

ResolvedMember ResolveMember(ObjectRef object, const std::string& text, ArgumentBlock& block, int count,
                             WORD defaultKind)
{
    MemberCall call = ClassifyMember(text.c_str(), defaultKind);
    if (call.kind == DISPATCH_PROPERTYPUTREF && count >= 1)
        TurnIntoReference(block.records[1]);
    std::string name = text.substr(call.nameOffset);
    DISPID id = LookUpDispid(object, name);
    if (id == DISPID_UNKNOWN && StartsWithFolded(name.c_str(), "get_")) {
        name.erase(0, 4);
        id = LookUpDispid(object, name);
    }
    return {id, call.kind, name};
}

// A string in the platform's length-prefixed layout, built in a fixed
// global block: 4 bytes of byte length, then the wide text and terminator.
HGLOBAL BuildCountedString(VARIANT& record)
{
    const char* text = record.pcVal ? record.pcVal : "";
    int count = automationFunctions.multiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (count < 1)
        count = 1;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, 2 * static_cast<SIZE_T>(count) + 4);
    if (!block)
        FatalReport(FatalErrorCode::InsufficientMemory);
    auto* wide = reinterpret_cast<wchar_t*>(static_cast<char*>(block) + 4);
    int converted = automationFunctions.multiByteToWideChar(CP_ACP, 0, text, -1, wide, count);
    if (converted < 1) {
        wide[0] = L'\0';
        converted = 1;
    }
    DWORD byteLength = 2 * static_cast<DWORD>(converted) - 2;
    std::memcpy(block, &byteLength, sizeof byteLength);
    record.vt = VT_BSTR;
    record.bstrVal = wide;
    return block;
}

std::vector<HGLOBAL> BuildTextArguments(ArgumentBlock& block, int count)
{
    std::vector<HGLOBAL> strings;
    for (int i = 1; i <= count; ++i)
        if (block.records[i].vt == VT_LPSTR)
            strings.push_back(BuildCountedString(block.records[i]));
    return strings;
}

}  // namespace

void InitAutomation()
{
    static bool initialised = false;
    if (initialised)
        return;
    initialised = true;
    LookUpAutomationFunctions();
    automationFunctions.coInitialize(nullptr);
    automationFunctions.atlAxWinInit();
    ResetEventTables();
}

void CreateHostedControl(ObjectRef& object, HWND host, const char* progId)
{
    std::wstring wideProgId = WideText(progId);
    LastStatus = automationFunctions.atlAxCreateControl(wideProgId.c_str(), host, nullptr, nullptr);
    if (FAILED(LastStatus))
        ReportCreationFailure(progId, LastStatus);
    LastStatus = automationFunctions.atlAxGetControl(host, reinterpret_cast<IUnknown**>(&object));
    if (FAILED(LastStatus))
        ReportCreationFailure(progId, LastStatus);
    if (!object)
        return;
    // The first reference stays unreleased: the control lives until the end.
    LastStatus = object->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object));
    if (FAILED(LastStatus))
        ReportCreationFailure(progId, LastStatus);
    if (object)
        ConnectEvents(object, "");
}

void CallMethod(ObjectRef object, ArgumentBlock& block)
{
    if (!object) {
        LastStatus = kEmptyObjectStatus;
        return;
    }
    int count = block.records[0].lVal - 1;
    if (count < 0 || count > kMaxArguments) {
        LastStatus = DISP_E_BADPARAMCOUNT;
        return;
    }
    std::string memberText = VariantText(block.records[count + 1]);
    ResolvedMember member = ResolveMember(object, memberText, block, count, DISPATCH_METHOD);
    if (member.id == DISPID_UNKNOWN) {
        ShowMessageBox(nullptr, MemberNotFoundText(member.name).c_str(), kAppIdentifier, kMessageStyle);
        return;
    }
    bool isPut = member.kind == DISPATCH_PROPERTYPUT || member.kind == DISPATCH_PROPERTYPUTREF;
    DISPID namedArgument = DISPID_PROPERTYPUT;
    DISPPARAMS parameters = {count ? &block.records[1] : nullptr, isPut ? &namedArgument : nullptr,
                             static_cast<UINT>(count), isPut ? 1u : 0u};
    std::vector<HGLOBAL> strings = BuildTextArguments(block, count);
    LastStatus = object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, member.kind, &parameters, nullptr,
                                nullptr, nullptr);
    for (HGLOBAL string : strings)
        GlobalFree(string);
}

std::string SystemErrorText(HRESULT code)
{
    return PlatformErrorText(static_cast<DWORD>(code), automationFunctions.formatMessage);
}

VARIANT TextArgument(const char* text)
{
    VARIANT record = {};
    record.vt = VT_LPSTR;
    record.pcVal = const_cast<char*>(text);
    return record;
}

VARIANT OmittedArgument()
{
    VARIANT record = {};
    record.vt = VT_ERROR;
    record.scode = DISP_E_PARAMNOTFOUND;
    return record;
}

void PackCall(ArgumentBlock& block, const char* member, const VARIANT* arguments, int count)
{
    std::memset(&block, 0, sizeof block);
    if (count < 0 || count > kMaxArguments)
        return;
    block.records[0].vt = VT_I4;
    block.records[0].lVal = count + 1;
    for (int i = 0; i < count; ++i)
        block.records[count - i] = arguments[i];
    block.records[count + 1] = TextArgument(member);
}
