#include "infowin/automation.h"
#include "infowin/event_sink.h"
#include "support/automation_setup.h"
#include "support/recording_control.h"

#include <gtest/gtest.h>

#include <oleauto.h>

#include <cstring>

namespace {

const IID kFirstEvents = {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0x55}};
const IID kSecondEvents = {0x66666666, 0x7777, 0x8888, {0x99, 0x99, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}};
const char kSecondEventsText[] = "{66666666-7777-8888-9999-aaaaaaaaaaaa}";

// What the handlers below saw, copied while they ran.
struct Delivery {
    int handler = 0;
    std::vector<VARIANT*> pointers;
    std::vector<VARIANT> values;
    std::vector<std::string> texts;  // VT_LPSTR contents
};
std::vector<Delivery> deliveries;

void Record(int handler, std::vector<VARIANT*> pointers)
{
    Delivery delivery;
    delivery.handler = handler;
    delivery.pointers = pointers;
    for (VARIANT* pointer : pointers) {
        delivery.values.push_back(*pointer);
        delivery.texts.push_back(pointer->vt == VT_LPSTR && pointer->pcVal ? pointer->pcVal : "");
    }
    deliveries.push_back(delivery);
}

void FirstHandler(VARIANT* text) { Record(1, {text}); }
void SecondHandler(VARIANT* text) { Record(2, {text}); }
void PairHandler(VARIANT* first, VARIANT* second) { Record(3, {first, second}); }

VARIANT Number(LONG value)
{
    VARIANT record = {};
    record.vt = VT_I4;
    record.lVal = value;
    return record;
}

VARIANT WideTextRecord(VARTYPE type, const wchar_t* text)
{
    VARIANT record = {};
    record.vt = type;
    record.bstrVal = text ? SysAllocString(text) : nullptr;
    return record;
}

// A control connected on its IDispatch point, with handlers cleared.
struct Connected {
    RecordingControl& control = LastingControl();
    RecordingPoint* point = nullptr;
    Connected()
    {
        StartAutomationOnce();
        point = &control.AddPoint(IID_IDispatch);
        ConnectEvents(&control, "");
        deliveries.clear();
    }
};

}  // namespace

TEST(ConnectEvents, PrefersTheDispatchPointOverEnumerationOrder)
{
    Connected connected;
    connected.control.AddPoint(kFirstEvents);
    ASSERT_FALSE(ConnectionTable.empty());
    const ConnectionRecord& record = ConnectionTable.back();
    EXPECT_EQ(record.object, &connected.control);
    EXPECT_EQ(record.connectionPoint, connected.point);
    EXPECT_EQ(record.sink, &SharedSinkMethods);
    EXPECT_EQ(record.cookie, 7u);
    EXPECT_EQ(connected.point->advised, reinterpret_cast<const IUnknown*>(&record.sink));
    EXPECT_EQ(LastStatus, S_OK);
}

TEST(ConnectEvents, FallsBackToTheFirstEnumeratedPoint)
{
    StartAutomationOnce();
    RecordingControl& control = LastingControl();
    RecordingPoint& first = control.AddPoint(kFirstEvents);
    RecordingPoint& second = control.AddPoint(kSecondEvents);
    size_t before = ConnectionTable.size();
    ConnectEvents(&control, "");
    ASSERT_EQ(ConnectionTable.size(), before + 1);
    EXPECT_EQ(ConnectionTable.back().connectionPoint, &first);
    EXPECT_NE(first.sink, nullptr);
    EXPECT_EQ(second.sink, nullptr);
}

TEST(ConnectEvents, NamedInterfaceIsFoundByItsText)
{
    StartAutomationOnce();
    RecordingControl& control = LastingControl();
    control.AddPoint(IID_IDispatch);
    control.AddPoint(kFirstEvents);
    RecordingPoint& second = control.AddPoint(kSecondEvents);
    ConnectEvents(&control, kSecondEventsText);
    ASSERT_FALSE(ConnectionTable.empty());
    EXPECT_EQ(ConnectionTable.back().connectionPoint, &second);
    EXPECT_EQ(ConnectionTable.back().object, &control);
}

TEST(ConnectEvents, FailuresLeaveTheTableAsItWas)
{
    StartAutomationOnce();
    struct Case {
        const char* name;
        bool enumerates;
        HRESULT adviseResult;
        DWORD cookie;
        const char* interfaceText;
        HRESULT status;
    };
    const Case cases[] = {
        {"no dispatch point, no enumeration", false, S_OK, 7, "", E_NOTIMPL},
        {"advise fails", true, CONNECT_E_ADVISELIMIT, 7, "", CONNECT_E_ADVISELIMIT},
        {"advise gives cookie 0", true, S_OK, 0, "", S_OK},
        {"named interface missing", true, S_OK, 7, "{00000000-0000-0000-0000-000000000001}", CONNECT_E_NOCONNECTION},
    };
    for (const Case& c : cases) {
        RecordingControl& control = LastingControl();
        control.enumerates = c.enumerates;
        RecordingPoint& point = control.AddPoint(kFirstEvents);
        point.adviseResult = c.adviseResult;
        point.cookieToGive = c.cookie;
        size_t before = ConnectionTable.size();
        ConnectEvents(&control, c.interfaceText);
        EXPECT_EQ(ConnectionTable.size(), before) << c.name;
        EXPECT_EQ(LastStatus, c.status) << c.name;
    }
    size_t before = ConnectionTable.size();
    ConnectEvents(nullptr, "");
    EXPECT_EQ(ConnectionTable.size(), before);
    EXPECT_EQ(static_cast<DWORD>(LastStatus), 0x80000005u);
}

TEST(EventSink, AnswersEveryInterfaceWithItselfAndCountsNothing)
{
    Connected connected;
    IDispatch* sink = connected.point->sink;
    ASSERT_NE(sink, nullptr);
    for (const IID* id : {&IID_IUnknown, &IID_IDispatch, &kFirstEvents, &IID_IConnectionPoint}) {
        void* result = nullptr;
        EXPECT_EQ(sink->QueryInterface(*id, &result), S_OK);
        EXPECT_EQ(result, sink);
    }
    EXPECT_EQ(sink->AddRef(), 1u);
    EXPECT_EQ(sink->Release(), 1u);
    EXPECT_EQ(sink->Release(), 1u);
    UINT count = 99;
    EXPECT_EQ(sink->GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(count, 99u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(0x1234);
    EXPECT_EQ(sink->GetTypeInfo(0, 0, &info), E_NOTIMPL);
    EXPECT_EQ(info, reinterpret_cast<ITypeInfo*>(0x1234));
    LPOLESTR names[1] = {const_cast<LPOLESTR>(L"Anything")};
    DISPID id = 42;
    EXPECT_EQ(sink->GetIDsOfNames(IID_NULL, names, 1, 0, &id), E_NOTIMPL);
    EXPECT_EQ(id, 42);
}

TEST(RegisterEventHandler, WithoutConnectionStoresNothing)
{
    StartAutomationOnce();
    RecordingControl& control = LastingControl();
    size_t before = HandlerTable.size();
    RegisterEventHandler(&control, 102, FirstHandler);
    EXPECT_EQ(static_cast<DWORD>(LastStatus), 0x80000003u);
    RegisterEventHandler(nullptr, 102, FirstHandler);
    EXPECT_EQ(static_cast<DWORD>(LastStatus), 0x80000003u);
    EXPECT_EQ(HandlerTable.size(), before);
}

TEST(RegisterEventHandler, SecondRegistrationReplacesTheFirst)
{
    Connected connected;
    size_t before = HandlerTable.size();
    RegisterEventHandler(&connected.control, 102, FirstHandler);
    RegisterEventHandler(&connected.control, 102, SecondHandler);
    EXPECT_EQ(HandlerTable.size(), before + 1);
    std::vector<VARIANT> arguments = {WideTextRecord(VT_BSTR, L"Done")};
    EXPECT_EQ(connected.point->Fire(102, arguments), S_OK);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].handler, 2);
}

TEST(EventSink, EventWithoutHandlerChangesNothing)
{
    Connected connected;
    RegisterEventHandler(&connected.control, 102, FirstHandler);
    std::vector<VARIANT> arguments = {WideTextRecord(VT_BSTR, L"Busy")};
    BSTR original = arguments[0].bstrVal;
    EXPECT_EQ(connected.point->Fire(999, arguments), S_OK);
    EXPECT_TRUE(deliveries.empty());
    EXPECT_EQ(arguments[0].vt, VT_BSTR);
    EXPECT_EQ(arguments[0].bstrVal, original);
    EXPECT_STREQ(arguments[0].bstrVal, L"Busy");
    SysFreeString(original);
}

TEST(EventSink, TextsArriveAsAnsiInPlaceOrAsTheNullRecord)
{
    Connected connected;
    RegisterEventHandler(&connected.control, 102, FirstHandler);
    struct Case {
        const char* name;
        VARTYPE type;
        const wchar_t* text;
        bool isNull;
        const char* expected;
    };
    const Case cases[] = {
        {"plain", VT_BSTR, L"Opening page", false, "Opening page"},
        {"code page 1252", VT_BSTR, L"Gr\u00FC\u00DFe \u20AC", false, "Gr\xFC\xDF" "e \x80"},
        {"wide pointer", VT_LPWSTR, L"Done", false, "Done"},
        {"one character", VT_BSTR, L"x", false, "x"},
        {"empty", VT_BSTR, L"", true, ""},
        {"null", VT_BSTR, nullptr, true, ""},
        {"null wide pointer", VT_LPWSTR, nullptr, true, ""},
    };
    for (const Case& c : cases) {
        deliveries.clear();
        std::vector<VARIANT> arguments = {WideTextRecord(c.type, c.text)};
        BSTR memory = arguments[0].bstrVal;
        EXPECT_EQ(connected.point->Fire(102, arguments), S_OK) << c.name;
        ASSERT_EQ(deliveries.size(), 1u) << c.name;
        const Delivery& delivery = deliveries[0];
        if (c.isNull) {
            EXPECT_EQ(delivery.pointers[0], &NullTextArgument) << c.name;
            EXPECT_EQ(delivery.values[0].vt, VT_NULL) << c.name;
        } else {
            // The record itself, rewritten to ANSI text in the string's own memory.
            EXPECT_EQ(delivery.pointers[0], &arguments[0]) << c.name;
            EXPECT_EQ(delivery.values[0].vt, VT_LPSTR) << c.name;
            EXPECT_EQ(delivery.values[0].wReserved1, 0) << c.name;
            EXPECT_EQ(static_cast<void*>(delivery.values[0].pcVal), static_cast<void*>(memory)) << c.name;
            EXPECT_EQ(delivery.texts[0], c.expected) << c.name;
        }
        SysFreeString(memory);
    }
}

TEST(EventSink, ReferencesAreFollowedAndArgumentsComeInDeclaredOrder)
{
    Connected connected;
    RegisterEventHandler(&connected.control, 108, PairHandler);
    VARIANT referredText = WideTextRecord(VT_BSTR, L"Ready");
    VARIANT referredNumber = Number(200);
    VARIANT byReferenceNumber = {};
    byReferenceNumber.vt = VT_BYREF | VT_VARIANT;
    byReferenceNumber.pvarVal = &referredNumber;
    VARIANT byReferenceText = {};
    byReferenceText.vt = VT_BYREF | VT_VARIANT;
    byReferenceText.pvarVal = &referredText;
    // DISPPARAMS order: the last argument first.
    std::vector<VARIANT> arguments = {byReferenceNumber, byReferenceText};
    EXPECT_EQ(connected.point->Fire(108, arguments), S_OK);
    ASSERT_EQ(deliveries.size(), 1u);
    const Delivery& delivery = deliveries[0];
    EXPECT_EQ(delivery.pointers[0], &arguments[1]);
    EXPECT_EQ(delivery.values[0].vt, VT_LPSTR);
    EXPECT_EQ(delivery.texts[0], "Ready");
    EXPECT_EQ(delivery.pointers[1], &arguments[0]);
    EXPECT_EQ(delivery.values[1].vt, VT_I4);
    EXPECT_EQ(delivery.values[1].lVal, 200);
    SysFreeString(referredText.bstrVal);
}

TEST(EventSink, EventWithOtherArgumentCountIsNotDelivered)
{
    Connected connected;
    RegisterEventHandler(&connected.control, 108, PairHandler);
    std::vector<VARIANT> one = {Number(1)};
    EXPECT_EQ(connected.point->Fire(108, one), S_OK);
    std::vector<VARIANT> none;
    EXPECT_EQ(connected.point->Fire(108, none), S_OK);
    EXPECT_TRUE(deliveries.empty());
}

TEST(EventSink, EachConnectionHasItsOwnHandlers)
{
    Connected first;
    Connected second;
    RegisterEventHandler(&first.control, 102, FirstHandler);
    RegisterEventHandler(&second.control, 102, SecondHandler);
    std::vector<VARIANT> arguments = {Number(5)};
    first.point->Fire(102, arguments);
    second.point->Fire(102, arguments);
    ASSERT_EQ(deliveries.size(), 2u);
    EXPECT_EQ(deliveries[0].handler, 1);
    EXPECT_EQ(deliveries[1].handler, 2);
}
