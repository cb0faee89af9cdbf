#include "common/file_replace.h"

#include "common/platform_error_text.h"
#include "common/wide_text.h"

ReplacementCalls replacementCalls = {CreateFileW,        WriteFile,   FlushFileBuffers, CloseHandle,
                                     SetFileAttributesW, MoveFileExW, DeleteFileW};

namespace {

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr unsigned kNameChoices = 0x10000;
// A long output is flushed as it grows, so the flush before the move has
// little left to wait for.
constexpr size_t kFlushEvery = 4 * 1024 * 1024;

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring TemporaryName(const std::wstring& folder, unsigned number)
{
    static constexpr wchar_t kHexDigits[] = L"0123456789abcdef";
    std::wstring name = folder + L"~q";
    for (int shift = 12; shift >= 0; shift -= 4)
        name += kHexDigits[(number >> shift) & 15];
    return name;
}

void Fail(Replacement& replacement, DWORD error)
{
    if (!replacement.failed)
        replacement.error = error;
    replacement.failed = true;
}

void CloseTemporary(Replacement& replacement)
{
    if (replacement.file != INVALID_HANDLE_VALUE && !replacementCalls.closeHandle(replacement.file))
        Fail(replacement, GetLastError());
    replacement.file = INVALID_HANDLE_VALUE;
}

ReplaceOutcome FailureOutcome(const Replacement& replacement)
{
    std::string reason = replacement.error == 0 ? std::string() : PlatformErrorText(replacement.error);
    if (reason.empty())
        reason = "The file could not be replaced; it may be open in another program.";
    return {false, "Could not write " + AnsiFromWide(replacement.target) + ":\r\n" + reason};
}

// The old file's bits, so a hidden map stays hidden.
bool TakeOldAttributes(Replacement& replacement)
{
    DWORD old = GetFileAttributesW(replacement.target.c_str());
    if (old == INVALID_FILE_ATTRIBUTES || (old & FILE_ATTRIBUTE_DIRECTORY))
        return true;
    DWORD kept = (old & kKeptAttributes) ? old & kKeptAttributes : FILE_ATTRIBUTE_NORMAL;
    if (replacementCalls.setFileAttributes(replacement.temporary.c_str(), kept))
        return true;
    Fail(replacement, GetLastError());
    return false;
}

bool MoveInPlace(Replacement& replacement)
{
    SetLastError(0);
    // Wine answers a held-open target with FALSE and no error code.
    if (replacementCalls.moveFileEx(replacement.temporary.c_str(), replacement.target.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    Fail(replacement, GetLastError());
    return false;
}

}  // namespace

Replacement BeginReplacement(const std::wstring& target)
{
    Replacement replacement;
    replacement.target = target;
    std::wstring folder = FolderOf(target);
    unsigned first = GetTickCount() ^ GetCurrentProcessId();
    for (unsigned tried = 0; tried < kNameChoices; ++tried) {
        std::wstring name = TemporaryName(folder, first + tried);
        replacement.file = replacementCalls.createFile(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (replacement.file != INVALID_HANDLE_VALUE) {
            replacement.temporary = name;
            return replacement;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            Fail(replacement, error);
            return replacement;
        }
    }
    Fail(replacement, ERROR_FILE_EXISTS);
    return replacement;
}

void WriteReplacement(Replacement& replacement, std::string_view bytes)
{
    while (!replacement.failed && !bytes.empty()) {
        DWORD written = 0;
        if (!replacementCalls.writeFile(replacement.file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                        nullptr) ||
            written == 0) {
            Fail(replacement, GetLastError());
            return;
        }
        bytes.remove_prefix(written);
        replacement.unflushed += written;
    }
    if (!replacement.failed && replacement.unflushed >= kFlushEvery) {
        if (!replacementCalls.flushFileBuffers(replacement.file))
            Fail(replacement, GetLastError());
        replacement.unflushed = 0;
    }
}

void AbandonReplacement(Replacement& replacement)
{
    Fail(replacement, 0);
    CloseTemporary(replacement);
    if (!replacement.temporary.empty()) {
        // It may have taken the old file's read-only bit.
        replacementCalls.setFileAttributes(replacement.temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        replacementCalls.deleteFile(replacement.temporary.c_str());
    }
}

ReplaceOutcome FinishReplacement(Replacement& replacement)
{
    if (!replacement.failed && !replacementCalls.flushFileBuffers(replacement.file))
        Fail(replacement, GetLastError());
    CloseTemporary(replacement);
    if (replacement.failed || !TakeOldAttributes(replacement) || !MoveInPlace(replacement)) {
        AbandonReplacement(replacement);
        return FailureOutcome(replacement);
    }
    return {true, {}};
}

ReplaceOutcome ReplaceFileContents(const std::wstring& path, std::string_view text)
{
    Replacement replacement = BeginReplacement(path);
    WriteReplacement(replacement, text);
    return FinishReplacement(replacement);
}
