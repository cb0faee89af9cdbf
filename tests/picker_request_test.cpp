#include "app/picker_request.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

TEST(PickerRequest, SlotsHoldTheirTextsCutTo256BytesWithoutTouchingEachOther)
{
    struct Case { std::string text; std::string kept; };
    const Case cases[] = {
        {"Select Folder", "Select Folder"},
        {"", ""},
        {std::string(255, 'a'), std::string(255, 'a')},
        {std::string(256, 'b'), std::string(256, 'b')},  // no room for the zero: the slot's end ends it
        {std::string(300, 'c'), std::string(256, 'c')},
    };
    for (const Case& c : cases) {
        PickerRequest request;
        SetPickerSlot(request, PickerSlot::StartFolder, "C:\\");
        SetPickerSlot(request, PickerSlot::Title, c.text);
        EXPECT_EQ(PickerSlotText(request, PickerSlot::Title), c.kept) << c.text.size();
        EXPECT_EQ(PickerSlotText(request, PickerSlot::StartFolder), "C:\\") << c.text.size();
    }
}

TEST(PickerRequest, ShorterTextReplacesALongerOne)
{
    PickerRequest request;
    SetPickerSlot(request, PickerSlot::StartFolder, "C:\\a much longer folder name");
    SetPickerSlot(request, PickerSlot::StartFolder, "D:\\x");
    EXPECT_EQ(PickerSlotText(request, PickerSlot::StartFolder), "D:\\x");
}

TEST(PickedPath, UntouchedBlanksGiveEmptyTextAndAWrittenPathComesBackWhole)
{
    struct Case { const char* written; std::string result; };
    const Case cases[] = {
        {nullptr, ""},
        {"C:\\", "C:\\"},
        {"", ""},
        {"C:\\web pages\\site", "C:\\web pages\\site"},
    };
    for (const Case& c : cases) {
        PathBuffer buffer = BlankPathBuffer();
        if (c.written)
            std::memcpy(buffer.data(), c.written, std::strlen(c.written) + 1);
        EXPECT_EQ(PickedPathText(buffer), c.result) << (c.written ? c.written : "(untouched)");
    }
    // The platform writes up to 259 characters and a zero: all of it comes back.
    PathBuffer longest = BlankPathBuffer();
    std::string path = "C:\\" + std::string(256, 'd');
    std::memcpy(longest.data(), path.c_str(), path.size() + 1);
    EXPECT_EQ(PickedPathText(longest), path);
    EXPECT_EQ(sizeof(PathBuffer), static_cast<size_t>(MAX_PATH));
}
