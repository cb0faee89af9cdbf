// The information window, its automation layer and event sink: with Wine's web-browser
// control, here and in the real program, and with a fake for the paths it cannot show.
#include "common/shell_functions.h"
#include "infowin/event_sink.h"
#include "infowin/info_window.h"
#include "infowin/variant_reading.h"
#include "support/local_server.h"
#include "support/own_message_boxes.h"
#include "support/quorrel_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>

namespace {

// type:value; a text with its length prefix, a reference with what it points to.
std::string ArgumentText(const VARIANT& value)
{
    std::string text = std::to_string(value.vt) + ":";
    if (value.vt & VT_BYREF)
        return text.append("*").append(std::to_string(*value.plVal));
    if (value.vt == VT_LPSTR)
        return text + value.pcVal;
    if (value.vt != VT_BSTR || !value.bstrVal)
        return text + std::to_string(value.lVal);
    return text.append(value.bstrVal, value.bstrVal + wcslen(value.bstrVal)) + "/" +
           std::to_string(SysStringByteLen(value.bstrVal));
}

// A control for the paths Wine's browser cannot show: it writes the names asked and the calls
// received into a transcript; its points are fakes too. Nothing is freed: the tables keep it.
struct FakeControl : IDispatch, IConnectionPointContainer, IEnumConnectionPoints, IConnectionPoint {
    FakeControl(IID id = {}, HRESULT advise = S_OK, DWORD given = 7) : events(id), answer(advise), cookie(given) {}

    std::map<std::wstring, DISPID> members = {{L"Navigate", 1}, {L"Volume", 2}, {L"get_Title", 3}, {L"Title", 4}};
    std::string transcript;
    std::vector<FakeControl*> points;
    IID events;  // as a point: the interface it calls, how it answers Advise, the sink it was given
    HRESULT answer;
    DWORD cookie;
    IDispatch* sink = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** result) override
    {
        *result = id == IID_IConnectionPointContainer ? static_cast<IConnectionPointContainer*>(this) : nullptr;
        *result = id == IID_IDispatch ? static_cast<IDispatch*>(this) : *result;
        return *result ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override
    {
        transcript.append("?").append(names[0], names[0] + wcslen(names[0])).append(" ");
        *id = members.count(names[0]) ? members[names[0]] : DISPID_UNKNOWN;
        return *id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT*,
                                     EXCEPINFO*, UINT*) override
    {
        DISPID named = parameters->cNamedArgs ? parameters->rgdispidNamedArgs[0] : 0;
        transcript.append(std::to_string(id) + " " + std::to_string(kind) + " " + std::to_string(named) + ":");
        for (UINT i = 0; i < parameters->cArgs; ++i)
            transcript.append(" ").append(ArgumentText(parameters->rgvarg[i]));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) override
    {
        return (*result = points.empty() ? nullptr : points[0]) ? S_OK : E_NOTIMPL;  // which lists itself first
    }
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID id, IConnectionPoint** result) override
    {
        auto found = std::find_if(points.begin(), points.end(), [&](auto* point) { return point->events == id; });
        return (*result = found == points.end() ? nullptr : *found) ? S_OK : E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE Next(ULONG, IConnectionPoint** result, ULONG*) override { return *result = this, S_OK; }
    HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints**) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* advised, DWORD* given) override
    {
        *given = cookie;
        return FAILED(answer) ? answer : advised->QueryInterface(events, reinterpret_cast<void**>(&sink));
    }
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }
};

// A number of type, or, given pointer, a string or a reference.
VARIANT Value(VARTYPE type, double number, const void* pointer = nullptr)
{
    VARIANT value = {};
    value.vt = type;
    value.llVal = type == VT_R8 ? std::bit_cast<LONGLONG>(number) : static_cast<LONGLONG>(number);
    value.byref = pointer ? const_cast<void*>(pointer) : value.byref;
    return value;
}

FakeControl& ControlWithPoints(const std::vector<IID>& events, HRESULT advise = S_OK, DWORD cookie = 7)
{
    [[maybe_unused]] static const bool started = (LookUpShellFunctions(), InitAutomation(), true);
    auto& control = *new FakeControl;
    for (const IID& id : events)
        control.points.push_back(new FakeControl(id, advise, cookie));
    return control;
}

std::string delivered;  // what Record was given, in order
void Record(VARIANT* text) { delivered += ArgumentText(*text) + " "; }

}  // namespace

TEST(Automation, CallsReachTheControlByNameKindAndArguments)
{
    struct Row { const char* member; std::vector<VARIANT> arguments; const char* transcript; };
    const Row rows[] = {
        {"Navigate", {TextArgument("caf\xE9"), TextArgument(""), TextArgument(nullptr), OmittedArgument()},
         "?Navigate 1 1 0: 10:-2147352572 8:/0 8:/0 8:caf\xE9/8"},
        {"SET_Volume", {Value(VT_I4, 0x1234)}, "?Volume 2 4 -3: 3:4660"},
        {"SetByRef_Volume", {Value(VT_I4, 0x1234)}, "?Volume 2 8 -3: 16393:*4660"},
        {"get_Title", {}, "?get_Title 3 1 0:"},
        {"GET_Title", {}, "?GET_Title ?Title 4 1 0:"},
        {"get_Nothing", {}, "?get_Nothing ?Nothing COM error\rdispid for Nothing not found|Quillmarn"},
    };
    for (const Row& row : rows) {
        FakeControl& control = ControlWithPoints({});
        ArgumentBlock block;
        PackCall(block, row.member, row.arguments.data(), static_cast<int>(row.arguments.size()));
        for (const MessageBoxSeen& box : AnswerOwnMessageBoxes([&] { CallMethod(&control, block); }))
            control.transcript += box.text + "|" + box.caption;
        EXPECT_EQ(control.transcript, row.transcript);
    }
}

TEST(EventSink, ConnectsToTheDispatchPointElseToTheFirstAndTakesHandlersOnlyWhenConnected)
{
    struct Row { std::vector<IID> points; HRESULT advise; DWORD cookie; int chosen; };
    const Row rows[] = {
        {{IID_IPropertyNotifySink, IID_IDispatch}, S_OK, 7, 1},
        {{IID_IPropertyNotifySink, IID_IUnknown}, S_OK, 7, 0},
        {{}, S_OK, 7, -1},
        {{IID_IDispatch}, E_FAIL, 7, -1},
        {{IID_IDispatch}, S_OK, 0, -1},
    };
    for (const Row& row : rows) {
        FakeControl& control = ControlWithPoints(row.points, row.advise, row.cookie);
        size_t before = ConnectionTable.size() + HandlerTable.size();
        ConnectEvents(&control, "");
        RegisterEventHandler(&control, 102, Record);
        EXPECT_EQ(ConnectionTable.size() + HandlerTable.size(), before + 2 * (row.chosen >= 0)) << row.points.size();
        auto* newest = reinterpret_cast<IDispatch*>(&ConnectionTable.back().sink);
        EXPECT_TRUE(row.chosen < 0 || control.points[row.chosen]->sink == newest) << row.points.size();
    }
}

TEST(InfoWindow, WinesBrowserIsConnectedAndItsEventsReachTheStatusBar)
{
    FakeControl& second = ControlWithPoints({IID_IDispatch});
    RegisterAppWindowClass();
    CreateUiFont();
    EXPECT_TRUE(AnswerOwnMessageBoxes(CreateInfoWindow).empty());
    ASSERT_TRUE(BrowserObject && HasEventConnection(BrowserObject));
    ObjectRef none = nullptr;
    auto boxes = AnswerOwnMessageBoxes([&] { CreateHostedControl(none, InfoWindow->window, "No.Such"); });
    EXPECT_EQ(boxes.at(0).text, "Creation of No.Such object failed:\r (&h800401F3)");

    // The window's handlers through the browser's sink, and the test's own on a second connection.
    auto* browser = reinterpret_cast<IDispatch*>(&ConnectionTable.back().sink);
    ConnectEvents(&second, "");
    RegisterEventHandler(&second, 102, Record);
    IDispatch* own = second.points[0]->sink;
    VARIANT done = Value(VT_LPWSTR, 0, SysAllocString(L"Done"));
    LONG thirty = 30;
    struct Step { IDispatch* sink; DISPID id; std::vector<VARIANT> arguments; const char* seen; };
    Step steps[] = {
        {browser, 108, {Value(VT_I4, 150), Value(VT_I4, -1)}, "0% complete"},
        {browser, 108, {Value(VT_R8, 3.5), Value(VT_R8, 2.5)}, "50% complete"},
        {browser, 108, {Value(VT_R8, NAN), Value(VT_I4, 5)}, "50% complete"},
        {browser, 108, {Value(VT_BYREF | VT_I4, 0, &thirty), Value(VT_I4, 3)}, "10% complete"},
        {browser, 108, {Value(VT_R8, 9e15), Value(VT_R8, 1e300)}, "100% complete"},
        {browser, 102, {Value(VT_R8, 0.1)}, "0.1"},
        {browser, 102, {Value(VT_I4, 1), Value(VT_I4, 2)}, "0.1"},
        {browser, 109, {Value(VT_I4, 200), Value(VT_I4, 50)}, "0.1"},
        {browser, 102, {Value(VT_NULL, 0)}, ""},
        {own, 102, {Value(VT_BSTR, 0, SysAllocString(L"\u00FC \u20AC"))}, "30:\xFC \x80 "},
        {own, 102, {Value(VT_BYREF | VT_VARIANT, 0, &done)}, "30:Done "},
        {own, 102, {Value(VT_BSTR, 0, SysAllocString(L""))}, "1:0 "},
        {own, 102, {Value(VT_BSTR, 0)}, "1:0 "},
    };
    for (Step& step : steps) {
        delivered.clear();
        std::string given = ArgumentText(step.arguments[0]) + std::to_string(step.arguments[0].llVal);
        DISPPARAMS fired = {step.arguments.data(), nullptr, static_cast<UINT>(step.arguments.size()), 0};  // last first
        step.sink->Invoke(step.id, IID_NULL, 0, DISPATCH_METHOD, &fired, nullptr, nullptr, nullptr);
        EXPECT_EQ(step.sink == browser ? WindowText(InfoWindow->statusBar) : delivered, step.seen);
        EXPECT_EQ(ArgumentText(step.arguments[0]) + std::to_string(step.arguments[0].llVal), given);  // as it came
        EXPECT_EQ(VariantClear(&step.arguments[0]), S_OK);
    }
    EXPECT_FALSE(HasNumberReading(VT_BSTR) || HasTextReading(VT_DISPATCH));  // a text as progress, an object as text

    // Wine's browser says what it downloads and clears the text when done.
    RegisterEventHandler(BrowserObject, 102, Record);
    delivered.clear();
    LocalServer server({{{HttpAnswer("<html><body>Information</body></html>")}}});
    std::string address = "http://127.0.0.1:" + std::to_string(server.port) + "/site/Information.html";
    EXPECT_TRUE(AnswerOwnMessageBoxes([&] { ShowInfoPage(address, "BRISKEL FREEWARE"); }).empty());
    EXPECT_TRUE(WaitUntil([&] {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
        return delivered.find("30:Downloading " + address + " 1:0 ") != std::string::npos;
    }, 10000)) << delivered;
}

// Without the browser (the information page with it: update_test): both creation steps reported, both windows shown.
TEST(InfoWindow, AStartWithoutTheBrowserReportsItAndShowsBothWindows)
{
    QuorrelRun without = StartQuorrel(
        "bare", {.copyName = "bare.exe", .loadOrders = {{"ieframe", ""}}, .waitForMainWindow = false});
    FinishedAtEnd withoutGuard{without};
    for (const char* reason : {" (&h80040154)", "Call failed. (&h80004005)"}) {
        MessageBoxSeen box = WaitForMessageBox(without.child.id, 10000).value_or(MessageBoxSeen{});
        EXPECT_EQ(box.text + "|" + box.caption,
                  std::string("Creation of Shell.Explorer.1 object failed:\r") + reason + "|Quillmarn");
        AnswerMessageBox(box.window, IDOK);
        WaitUntil([&] { return !IsWindow(box.window); }, 5000);
    }
    without.mainWindow = WaitForWindow(without.child.id, kMainCaption, 10000);
    EXPECT_TRUE(IsWindowVisible(GetWindow(without.mainWindow, GW_OWNER)));
    EXPECT_EQ(CloseMainWindow(without), 0u);
}
