#pragma once
#include <array>
#include <string>

// The folder picker's request: two fixed 256-byte slots, each holding a
// zero-terminated text (cut to fit), the title and the start folder.
inline constexpr size_t kPickerSlotSize = 256;

struct PickerRequest {
    std::array<char, 2 * kPickerSlotSize> bytes{};
};

enum class PickerSlot { Title = 0, StartFolder = 1 };

// Copies text and its terminating zero into the slot, cut to 256 bytes.
void SetPickerSlot(PickerRequest& request, PickerSlot slot, const std::string& text);

// The slot's text up to its first zero byte or the slot's end.
std::string PickerSlotText(const PickerRequest& request, PickerSlot slot);

// The path buffer the picker hands to the platform: 256 blanks and a zero,
// in room for the longest path the platform writes there (260 bytes with
// its zero), so a long path is neither cut nor written past the buffer.
inline constexpr size_t kBlankPathLength = 256;
inline constexpr size_t kPathBufferSize = 260;
using PathBuffer = std::array<char, kPathBufferSize>;
PathBuffer BlankPathBuffer();

// The buffer's text up to its first zero; empty when the platform left the
// 256 blanks untouched, so a failed conversion never becomes a path.
std::string PickedPathText(const PathBuffer& buffer);

extern PickerRequest pickerRequest;
