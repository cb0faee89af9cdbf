#include "infowin/automation.h"
#include "infowin/automation_text.h"
#include "infowin/event_sink.h"
#include "support/automation_setup.h"
#include "support/own_message_boxes.h"
#include "support/recording_control.h"
#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <gtest/gtest.h>

#include <oleauto.h>

namespace {

RecordingControl MakeControl()
{
    return RecordingControl({{L"Navigate", 1}, {L"Volume", 2}, {L"get_Title", 3}, {L"Caption", 4}, {L"Target", 5}});
}

VARIANT NumberArgument(LONG value)
{
    VARIANT record = {};
    record.vt = VT_I4;
    record.lVal = value;
    return record;
}

std::vector<MessageBoxSeen> CallWithBlock(ObjectRef object, const char* member, std::vector<VARIANT> arguments)
{
    ArgumentBlock block;
    PackCall(block, member, arguments.data(), static_cast<int>(arguments.size()));
    return AnswerOwnMessageBoxes([&] { CallMethod(object, block); });
}

}  // namespace

TEST(AutomationText, MemberPrefixesFoldOnlyAToZ)
{
    struct Case { const char* text; WORD kind; size_t offset; };
    const Case cases[] = {
        {"Navigate", DISPATCH_METHOD, 0},          {"set_Volume", DISPATCH_PROPERTYPUT, 4},
        {"SET_Volume", DISPATCH_PROPERTYPUT, 4},   {"sEt_x", DISPATCH_PROPERTYPUT, 4},
        {"set_", DISPATCH_PROPERTYPUT, 4},         {"setbyref_Target", DISPATCH_PROPERTYPUTREF, 9},
        {"SetByRef_Target", DISPATCH_PROPERTYPUTREF, 9}, {"SETBYREF_", DISPATCH_PROPERTYPUTREF, 9},
        {"set", DISPATCH_METHOD, 0},               {"setx_Volume", DISPATCH_METHOD, 0},
        {"setbyref", DISPATCH_METHOD, 0},          {"get_Title", DISPATCH_METHOD, 0},
        {"\xD3" "et_x", DISPATCH_METHOD, 0},       {"", DISPATCH_METHOD, 0},
    };
    for (const Case& c : cases) {
        MemberCall call = ClassifyMember(c.text, DISPATCH_METHOD);
        EXPECT_EQ(call.kind, c.kind) << c.text;
        EXPECT_EQ(call.nameOffset, c.offset) << c.text;
    }
    EXPECT_TRUE(StartsWithFolded("GET_Title", "get_"));
    EXPECT_FALSE(StartsWithFolded("ge", "get_"));
    EXPECT_FALSE(StartsWithFolded("get-Title", "get_"));
}

TEST(AutomationText, InterfaceIdentifiersReadByPosition)
{
    EXPECT_EQ(InterfaceIdFromText("{B196B284-BAB4-101A-B69C-00AA00341D07}"), IID_IConnectionPointContainer);
    EXPECT_EQ(InterfaceIdFromText("{00020400-0000-0000-c000-000000000046}"), IID_IDispatch);
    GUID events = InterfaceIdFromText("{34a715A0-6587-11D0-924a-0020AFC7AC4D}");
    EXPECT_EQ(events.Data1, 0x34A715A0u);
    EXPECT_EQ(events.Data2, 0x6587);
    EXPECT_EQ(events.Data3, 0x11D0);
    const unsigned char tail[8] = {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D};
    EXPECT_EQ(memcmp(events.Data4, tail, 8), 0);
    // A short text reads its missing digits as 0 instead of beyond its end.
    GUID shortId = InterfaceIdFromText("{12");
    EXPECT_EQ(shortId.Data1, 0x12000000u);
    EXPECT_EQ(shortId.Data2, 0);
}

TEST(AutomationText, FailureMessages)
{
    EXPECT_EQ(MemberNotFoundText("Reload"), "COM error\rdispid for Reload not found");
    EXPECT_EQ(CreationFailureText("A.B", "Class not registered", 0x80040154),
              "Creation of A.B object failed:\rClass not registered (&h80040154)");
    EXPECT_EQ(CreationFailureText("A.B", "", 0x1F), "Creation of A.B object failed:\r (&h0000001F)");
}

TEST(CallMethod, NavigateIsAMethodCallWithTextAndOmittedArguments)
{
    StartAutomationOnce();
    RecordingControl control = MakeControl();
    std::vector<VARIANT> arguments = {TextArgument("http://127.0.0.1/caf\xE9.html"), OmittedArgument(),
                                      OmittedArgument(), OmittedArgument(), OmittedArgument()};
    std::vector<MessageBoxSeen> boxes = CallWithBlock(&control, "Navigate", arguments);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(LastStatus, S_OK);
    ASSERT_EQ(control.namesAsked, std::vector<std::wstring>{L"Navigate"});
    ASSERT_EQ(control.calls.size(), 1u);
    const ArrivedCall& call = control.calls[0];
    EXPECT_EQ(call.id, 1);
    EXPECT_EQ(call.kind, DISPATCH_METHOD);
    EXPECT_TRUE(call.named.empty());
    ASSERT_EQ(call.arguments.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(call.arguments[i].type, VT_ERROR) << i;
        EXPECT_EQ(static_cast<DWORD>(call.arguments[i].value), 0x80020004u) << i;
    }
    EXPECT_EQ(call.arguments[4].type, VT_BSTR);
    EXPECT_EQ(call.arguments[4].text, L"http://127.0.0.1/caf\u00E9.html");
    EXPECT_EQ(call.arguments[4].lengthPrefix, 2 * call.arguments[4].text.size());
}

TEST(CallMethod, EmptyTextArrivesWithLengthZero)
{
    StartAutomationOnce();
    RecordingControl control = MakeControl();
    CallWithBlock(&control, "Navigate", {TextArgument(""), TextArgument(nullptr)});
    ASSERT_EQ(control.calls.size(), 1u);
    for (const ArrivedArgument& argument : control.calls[0].arguments) {
        EXPECT_EQ(argument.type, VT_BSTR);
        EXPECT_EQ(argument.lengthPrefix, 0u);
        EXPECT_EQ(argument.text, L"");
    }
}

TEST(CallMethod, PrefixesChooseCallKindNameAndNamedArgument)
{
    StartAutomationOnce();
    struct Case {
        const char* member;
        std::vector<std::wstring> asked;
        DISPID id;
        WORD kind;
        bool reference;
    };
    const Case cases[] = {
        {"set_Volume", {L"Volume"}, 2, DISPATCH_PROPERTYPUT, false},
        {"SET_Volume", {L"Volume"}, 2, DISPATCH_PROPERTYPUT, false},
        {"Set_volume", {L"volume"}, 2, DISPATCH_PROPERTYPUT, false},
        {"setbyref_Target", {L"Target"}, 5, DISPATCH_PROPERTYPUTREF, true},
        {"SetByRef_Target", {L"Target"}, 5, DISPATCH_PROPERTYPUTREF, true},
        {"get_Title", {L"get_Title"}, 3, DISPATCH_METHOD, false},
        {"get_Caption", {L"get_Caption", L"Caption"}, 4, DISPATCH_METHOD, false},
        {"GET_Caption", {L"GET_Caption", L"Caption"}, 4, DISPATCH_METHOD, false},
        {"caption", {L"caption"}, 4, DISPATCH_METHOD, false},
    };
    for (const Case& c : cases) {
        RecordingControl control = MakeControl();
        std::vector<MessageBoxSeen> boxes = CallWithBlock(&control, c.member, {NumberArgument(0x1234)});
        EXPECT_TRUE(boxes.empty()) << c.member;
        EXPECT_EQ(control.namesAsked, c.asked) << c.member;
        ASSERT_EQ(control.calls.size(), 1u) << c.member;
        const ArrivedCall& call = control.calls[0];
        EXPECT_EQ(call.id, c.id) << c.member;
        EXPECT_EQ(call.kind, c.kind) << c.member;
        bool isPut = c.kind != DISPATCH_METHOD;
        EXPECT_EQ(call.named, isPut ? std::vector<DISPID>{DISPID_PROPERTYPUT} : std::vector<DISPID>{}) << c.member;
        ASSERT_EQ(call.arguments.size(), 1u);
        if (c.reference) {
            EXPECT_EQ(call.arguments[0].type, VT_BYREF | VT_DISPATCH) << c.member;
            EXPECT_EQ(call.arguments[0].referenced, 0x1234) << c.member;
        } else {
            EXPECT_EQ(call.arguments[0].type, VT_I4) << c.member;
            EXPECT_EQ(call.arguments[0].value, 0x1234) << c.member;
        }
    }
}

TEST(CallMethod, UnknownMemberIsReportedAndNotCalled)
{
    StartAutomationOnce();
    struct Case { const char* member; const char* reported; size_t lookUps; };
    const Case cases[] = {
        {"Reload", "Reload", 1},
        {"get_Nothing", "Nothing", 2},
        {"set_Missing", "Missing", 1},
    };
    for (const Case& c : cases) {
        RecordingControl control = MakeControl();
        std::vector<MessageBoxSeen> boxes = CallWithBlock(&control, c.member, {TextArgument("x")});
        ASSERT_EQ(boxes.size(), 1u) << c.member;
        EXPECT_EQ(boxes[0].text, std::string("COM error\rdispid for ") + c.reported + " not found");
        EXPECT_EQ(boxes[0].caption, "Quillmarn");
        EXPECT_EQ(boxes[0].owner, nullptr);
        EXPECT_EQ(boxes[0].buttons, std::vector<std::string>{"OK"});
        EXPECT_FALSE(boxes[0].hasIcon);
        EXPECT_EQ(control.namesAsked.size(), c.lookUps) << c.member;
        EXPECT_TRUE(control.calls.empty()) << c.member;
        EXPECT_EQ(LastStatus, DISP_E_UNKNOWNNAME) << c.member;
    }
}

TEST(CallMethod, EmptyObjectShowsNothingAndSetsStatus)
{
    StartAutomationOnce();
    LastStatus = S_OK;
    std::vector<MessageBoxSeen> boxes = CallWithBlock(nullptr, "Navigate", {TextArgument("x")});
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(static_cast<DWORD>(LastStatus), 0x80000005u);
}

TEST(CallMethod, BlockWithoutValidHeaderCallsNothing)
{
    StartAutomationOnce();
    RecordingControl control = MakeControl();
    ArgumentBlock block = {};
    std::vector<MessageBoxSeen> boxes = AnswerOwnMessageBoxes([&] { CallMethod(&control, block); });
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(control.namesAsked.empty());
    EXPECT_EQ(LastStatus, DISP_E_BADPARAMCOUNT);
}

TEST(QueryInterfaceByText, AnswersTheInterfaceOrEmpty)
{
    StartAutomationOnce();
    RecordingControl control = MakeControl();
    void* container = QueryInterfaceByText(static_cast<IDispatch*>(&control), "{b196b284-bab4-101a-b69c-00aa00341d07}");
    EXPECT_EQ(container, static_cast<IConnectionPointContainer*>(&control));
    EXPECT_EQ(LastStatus, S_OK);
    EXPECT_EQ(QueryInterfaceByText(static_cast<IDispatch*>(&control), "{11111111-2222-3333-4444-555555555555}"),
              nullptr);
    EXPECT_EQ(LastStatus, E_NOINTERFACE);
    EXPECT_EQ(QueryInterfaceByText(nullptr, "{B196B284-BAB4-101A-B69C-00AA00341D07}"), nullptr);
    EXPECT_EQ(static_cast<DWORD>(LastStatus), 0x80000005u);
}

TEST(SystemErrorText, OneLineOrEmpty)
{
    StartAutomationOnce();
    std::string text = SystemErrorText(E_OUTOFMEMORY);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    EXPECT_EQ(SystemErrorText(static_cast<HRESULT>(0x8FFF1234)), "");
}

TEST(CreateHostedControl, UnknownProgIdShowsCreationMessagesAndLeavesObjectEmpty)
{
    StartAutomationOnce();
    HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    size_t connections = ConnectionTable.size();
    ObjectRef object = nullptr;
    std::vector<MessageBoxSeen> boxes =
        AnswerOwnMessageBoxes([&] { CreateHostedControl(object, host, "Quorrel.NoSuchControl.1"); });
    EXPECT_EQ(object, nullptr);
    EXPECT_TRUE(FAILED(LastStatus));
    EXPECT_EQ(ConnectionTable.size(), connections);
    ASSERT_FALSE(boxes.empty());
    const std::string prefix = "Creation of Quorrel.NoSuchControl.1 object failed:\r";
    for (const MessageBoxSeen& box : boxes) {
        EXPECT_EQ(box.caption, "Quillmarn");
        EXPECT_EQ(box.owner, nullptr);
        ASSERT_EQ(box.text.compare(0, prefix.size(), prefix), 0) << box.text;
        size_t mark = box.text.rfind(" (&h");
        ASSERT_NE(mark, std::string::npos) << box.text;
        std::string hex = box.text.substr(mark + 4);
        ASSERT_EQ(hex.size(), 9u) << box.text;
        EXPECT_EQ(hex.back(), ')');
        hex.pop_back();
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos) << hex;
        auto code = static_cast<HRESULT>(strtoul(hex.c_str(), nullptr, 16));
        EXPECT_TRUE(FAILED(code)) << hex;
        EXPECT_EQ(box.text.substr(prefix.size(), mark - prefix.size()), SystemErrorText(code));
    }
    DestroyWindow(host);
}

TEST(InitAutomation, SecondCallChangesNothing)
{
    StartAutomationOnce();
    RecordingControl& control = LastingControl();
    control.AddPoint(IID_IDispatch);
    ConnectEvents(&control, "");
    size_t connections = ConnectionTable.size();
    ASSERT_GT(connections, 0u);
    InitAutomation();
    EXPECT_EQ(ConnectionTable.size(), connections);
}

TEST(InitAutomation, LooksUpEverythingItNeedsAndLeavesTheStatusUnset)
{
    ChildProcess child = StartProcess(AutomationChildCommand("init"));
    ASSERT_NE(child.process, nullptr);
    EXPECT_EQ(WaitForExit(child, 15000), 0u);
    CloseHandle(child.process);
}
