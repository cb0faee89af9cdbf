#include "app/picker_request.h"

#include <algorithm>
#include <cstring>

PickerRequest pickerRequest;

namespace {

size_t SlotOffset(PickerSlot slot) { return static_cast<size_t>(slot) * kPickerSlotSize; }

std::string TextUpToZero(const char* start, size_t limit)
{
    return std::string(start, std::find(start, start + limit, '\0'));
}

}  // namespace

void SetPickerSlot(PickerRequest& request, PickerSlot slot, const std::string& text)
{
    size_t length = std::min(text.size() + 1, kPickerSlotSize);
    std::memcpy(request.bytes.data() + SlotOffset(slot), text.c_str(), length);
}

std::string PickerSlotText(const PickerRequest& request, PickerSlot slot)
{
    return TextUpToZero(request.bytes.data() + SlotOffset(slot), kPickerSlotSize);
}

PathBuffer BlankPathBuffer()
{
    PathBuffer buffer{};
    std::fill_n(buffer.begin(), kBlankPathLength, ' ');
    return buffer;
}

std::string PickedPathText(const PathBuffer& buffer)
{
    if (buffer == BlankPathBuffer())
        return {};
    return TextUpToZero(buffer.data(), kPathBufferSize);
}
