#include "infowin/automation.h"
#include "infowin/event_sink.h"
#include "infowin/info_status.h"
#include "infowin/info_window.h"
#include "infowin/progress_text.h"
#include "infowin/variant_reading.h"
#include "support/automation_setup.h"
#include "support/recording_control.h"
#include "support/test_paths.h"
#include "tools/driver/program_driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <oleauto.h>

#include <cmath>

namespace {

VARIANT Number(LONG value)
{
    VARIANT record = {};
    record.vt = VT_I4;
    record.lVal = value;
    return record;
}

// A hidden window with a real status bar that the handlers write to.
struct StatusBarWindow {
    HWND frame = nullptr;
    StatusBarWindow()
    {
        StartAutomationOnce();
        InitCommonControls();
        frame = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr, nullptr, nullptr);
        InfoStatusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", frame, 7);
    }
    ~StatusBarWindow()
    {
        DestroyWindow(frame);
        InfoStatusBar = nullptr;
    }
    std::string Text() const { return WindowText(InfoStatusBar); }
};

}  // namespace

TEST(ProgressText, PercentageCutTowardZero)
{
    struct Case { long long progress; long long maximum; const char* text; };
    const Case cases[] = {
        {50, 200, "25% complete"},   {1, 3, "33% complete"},         {-1, 10000, "0% complete"},
        {-1, 50, "-2% complete"},    {200, 200, "100% complete"},    {0, 7, "0% complete"},
        {2, -3, "-66% complete"},    {2147483647, 1, "214748364700% complete"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressText(c.progress, c.maximum), c.text) << c.progress << "/" << c.maximum;
    EXPECT_EQ(ProgressText(5, 0), "");
}

TEST(ProgressText, WholeNumbersRoundToEvenAndStayExact)
{
    struct Case { double number; long long whole; };
    const Case cases[] = {
        {2.5, 2}, {3.5, 4}, {-1.5, -2}, {0.4, 0}, {-0.6, -1}, {1e300, 9007199254740992LL},
        {-1e300, -9007199254740992LL}, {NAN, 0}, {123456789.0, 123456789},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WholeNumber(c.number), c.whole) << c.number;
}

TEST(VariantReading, TypesWithAndWithoutReadings)
{
    struct Case { VARTYPE type; bool number; bool text; };
    const Case cases[] = {
        {VT_EMPTY, true, true},      {VT_NULL, true, true},       {VT_I2, true, true},
        {VT_I4, true, true},         {VT_R8, true, true},         {VT_DATE, true, true},
        {VT_BSTR, false, true},      {VT_DISPATCH, true, false},  {VT_ERROR, true, false},
        {VT_BOOL, true, false},      {VT_VARIANT, true, false},   {VT_DECIMAL, false, false},
        {VT_UI4, true, false},       {VT_I8, true, false},        {29, true, false},
        {VT_LPSTR, false, true},     {VT_LPWSTR, false, true},    {45, false, false},
        {63, false, false},          {VT_FILETIME, true, false},  {VT_BLOB, false, true},
        {VT_STREAM, true, false},    {VT_BLOB_OBJECT, false, true}, {VT_CF, true, false},
        {VT_ARRAY | VT_I4, false, false}, {VT_VECTOR | VT_LPSTR, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasNumberReading(c.type), c.number) << c.type;
        EXPECT_EQ(HasTextReading(c.type), c.text) << c.type;
    }
}

TEST(VariantReading, NumbersAndTextsOfTheReadableTypes)
{
    StartAutomationOnce();
    VARIANT value = {};
    EXPECT_EQ(VariantNumber(value), 0);
    EXPECT_EQ(VariantText(value), "");
    value.vt = VT_NULL;
    EXPECT_EQ(VariantNumber(value), 0);
    EXPECT_EQ(VariantText(value), "");
    value = Number(-42);
    EXPECT_EQ(VariantNumber(value), -42);
    EXPECT_EQ(VariantText(value), "-42");
    value = {};
    value.vt = VT_R8;
    value.dblVal = 2.5;
    EXPECT_EQ(VariantNumber(value), 2.5);
    EXPECT_EQ(VariantText(value), "2.5");
    value = {};
    value.vt = VT_BOOL;
    value.boolVal = VARIANT_TRUE;
    EXPECT_EQ(VariantNumber(value), -1);
    value = {};
    value.vt = VT_UI4;
    value.ulVal = 0xFFFFFFFF;
    EXPECT_EQ(VariantNumber(value), 4294967295.0);

    LONG referred = 77;
    value = {};
    value.vt = VT_BYREF | VT_I4;
    value.plVal = &referred;
    EXPECT_EQ(VariantNumber(value), 77);
    value.plVal = nullptr;
    EXPECT_EQ(VariantNumber(value), 0);

    VARIANT inner = {};
    inner.vt = VT_BSTR;
    inner.bstrVal = SysAllocString(L"caf\u00E9");
    EXPECT_EQ(VariantText(inner), "caf\xE9");
    value = {};
    value.vt = VT_BYREF | VT_VARIANT;
    value.pvarVal = &inner;
    EXPECT_EQ(VariantText(value), "caf\xE9");
    value = {};
    value.vt = VT_BYREF | VT_BSTR;
    value.pbstrVal = &inner.bstrVal;
    EXPECT_EQ(VariantText(value), "caf\xE9");
    SysFreeString(inner.bstrVal);

    value = {};
    value.vt = VT_LPSTR;
    value.pcVal = const_cast<char*>("plain");
    EXPECT_EQ(VariantText(value), "plain");
    value = {};
    value.vt = VT_LPWSTR;
    value.byref = const_cast<wchar_t*>(L"wide");
    EXPECT_EQ(VariantText(value), "wide");
    value = {};
    value.vt = VT_BSTR;
    EXPECT_EQ(VariantText(value), "");

    // A blob: byte count, then data pointer, in the 8-byte value.
    const char bytes[] = "ab\0cd";
    value = {};
    value.vt = VT_BLOB;
    ULONG size = 5;
    const char* data = bytes;
    memcpy(reinterpret_cast<char*>(&value) + 8, &size, 4);
    memcpy(reinterpret_cast<char*>(&value) + 12, &data, 4);
    EXPECT_EQ(VariantText(value), std::string(bytes, 5));
}

TEST(VariantReading, ValueWithoutReadingEndsWithTypeError)
{
    for (const char* mode : {"progress-max-text", "status-text-object"}) {
        ChildProcess child = StartProcess(AutomationChildCommand(mode));
        ASSERT_NE(child.process, nullptr) << mode;
        std::optional<MessageBoxSeen> box = WaitForMessageBox(child.id, 15000);
        ASSERT_TRUE(box.has_value()) << mode;
        EXPECT_EQ(box->text, "Variant type error ") << mode;
        EXPECT_EQ(box->caption, "Quillmarn") << mode;
        AnswerMessageBox(box->window, IDOK);
        EXPECT_EQ(WaitForExit(child, 10000), 6u) << mode;
        CloseHandle(child.process);
    }
}

TEST(InfoStatus, ProgressAndStatusTextsReachTheStatusBar)
{
    StatusBarWindow bar;
    struct Step { LONG progress; LONG maximum; const char* text; };
    const Step steps[] = {
        {50, 200, "25% complete"}, {1, 3, "33% complete"}, {-1, 10000, "0% complete"},
        {-1, 50, "-2% complete"},  {10, 0, "-2% complete"},
    };
    for (const Step& step : steps) {
        VARIANT progress = Number(step.progress);
        VARIANT maximum = Number(step.maximum);
        OnProgressChange(&progress, &maximum);
        EXPECT_EQ(bar.Text(), step.text) << step.progress << "/" << step.maximum;
    }
    VARIANT text = {};
    text.vt = VT_LPSTR;
    text.pcVal = const_cast<char*>("Connecting");
    OnStatusTextChange(&text);
    EXPECT_EQ(bar.Text(), "Connecting");
    OnStatusTextChange(&NullTextArgument);
    EXPECT_EQ(bar.Text(), "");
}

TEST(InfoStatus, ControlEventsReachTheStatusBarThroughTheSink)
{
    StatusBarWindow bar;
    RecordingControl& control = LastingControl();
    RecordingPoint& point = control.AddPoint(IID_IDispatch);
    ConnectEvents(&control, "");
    RegisterEventHandler(&control, 108, OnProgressChange);
    RegisterEventHandler(&control, 102, OnStatusTextChange);
    std::vector<VARIANT> progress = {Number(200), Number(50)};
    point.Fire(108, progress);
    EXPECT_EQ(bar.Text(), "25% complete");
    std::vector<VARIANT> status = {{}};
    status[0].vt = VT_BSTR;
    status[0].bstrVal = SysAllocString(L"Done");
    point.Fire(102, status);
    EXPECT_EQ(bar.Text(), "Done");
    SysFreeString(status[0].bstrVal);
    status[0].bstrVal = SysAllocString(L"");
    point.Fire(102, status);
    EXPECT_EQ(bar.Text(), "");
    SysFreeString(status[0].bstrVal);
}
