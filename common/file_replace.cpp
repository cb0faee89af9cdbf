#include "common/file_replace.h"

#include "common/platform_error_text.h"
#include "common/wide_text.h"

#include <atomic>

ReplacementCalls replacementCalls = {CreateFileW,        SetFileInformationByHandle, WriteFile,   FlushFileBuffers,
                                     CloseHandle,        GetFileAttributesW,         SetFileAttributesW,
                                     MoveFileExW,        DeleteFileW,                Sleep};

namespace {

// The new file holds new bytes, so it is always marked for backup. A
// read-only old file is never replaced, so that bit has nothing to carry.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr unsigned kNameChoices = 0x10000;
// Names refused as "access denied" before the folder itself counts as refusing.
constexpr int kDeniedNameTries = 4;
// A long output is flushed as it grows, so the flush before the move has
// little left to wait for.
constexpr size_t kFlushEvery = 4 * 1024 * 1024;
// A virus scanner or a sync client holds a new file for a moment: the move
// is tried again for about a second before it counts as refused.
constexpr int kMoveTries = 20;
constexpr DWORD kMovePauseMs = 50;

// Every replacement of the process takes its own names, so two outputs of
// one run never try a name the other has just made.
unsigned NextTemporaryNumber()
{
    static std::atomic<unsigned> next = GetTickCount() ^ GetCurrentProcessId();
    return next++;
}

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

// While marked, the temporary file goes when its last handle closes, so a
// program ended at any moment leaves nothing in the user's folder.
bool MarkForDeletion(Replacement& replacement, bool marked)
{
    FILE_DISPOSITION_INFO disposition = {marked};
    if (!replacementCalls.setFileInformation(replacement.file, FileDispositionInfo, &disposition,
                                             sizeof disposition))
        return false;
    replacement.markedForDeletion = marked;
    return true;
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

// The old file's bits, so a hidden map stays hidden. A read-only file is
// kept as it is, as Windows itself refuses to move a file over it.
bool TakeOldAttributes(Replacement& replacement)
{
    DWORD old = replacementCalls.getFileAttributes(replacement.target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY)) {
        Fail(replacement, ERROR_ACCESS_DENIED);
        return false;
    }
    DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & kKeptAttributes;
    if (replacementCalls.setFileAttributes(replacement.temporary.c_str(), kept | FILE_ATTRIBUTE_ARCHIVE))
        return true;
    Fail(replacement, GetLastError());
    return false;
}

// Wine answers a held-open target with FALSE and no error code.
bool IsMomentaryRefusal(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == 0;
}

bool MoveInPlace(Replacement& replacement)
{
    for (int tried = 1;; ++tried) {
        SetLastError(0);
        if (replacementCalls.moveFileEx(replacement.temporary.c_str(), replacement.target.c_str(),
                                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DWORD error = GetLastError();
        if (tried == kMoveTries || !IsMomentaryRefusal(error)) {
            Fail(replacement, error);
            return false;
        }
        replacementCalls.sleep(kMovePauseMs);
    }
}

}  // namespace

Replacement BeginReplacement(const std::wstring& target)
{
    Replacement replacement;
    replacement.target = target;
    std::wstring folder = FolderOf(target);
    int deniedLeft = kDeniedNameTries;
    for (unsigned tried = 0; tried < kNameChoices; ++tried) {
        std::wstring name = TemporaryName(folder, NextTemporaryNumber());
        replacement.file = replacementCalls.createFile(name.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (replacement.file != INVALID_HANDLE_VALUE) {
            replacement.temporary = name;
            // Where the mark cannot be set, the file is removed as before: on failure.
            MarkForDeletion(replacement, true);
            return replacement;
        }
        DWORD error = GetLastError();
        // Windows refuses a name whose file is still marked for deletion as
        // "access denied", as it refuses a folder where nothing may be made.
        bool mayBeTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                          (error == ERROR_ACCESS_DENIED && --deniedLeft > 0);
        if (!mayBeTaken) {
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
                                        nullptr)) {
            Fail(replacement, GetLastError());
            return;
        }
        if (written == 0) {  // success that took nothing: the last error says nothing of it
            Fail(replacement, ERROR_WRITE_FAULT);
            return;
        }
        bytes.remove_prefix(written);
        replacement.unflushed += written;
    }
    if (!replacement.failed && replacement.unflushed >= kFlushEvery)
        FlushReplacement(replacement);
}

void FlushReplacement(Replacement& replacement)
{
    if (!replacement.failed && !replacementCalls.flushFileBuffers(replacement.file))
        Fail(replacement, GetLastError());
    replacement.unflushed = 0;
}

void AbandonReplacement(Replacement& replacement)
{
    Fail(replacement, 0);
    bool goesOnClose = replacement.markedForDeletion;
    CloseTemporary(replacement);
    if (!replacement.temporary.empty() && !goesOnClose)
        replacementCalls.deleteFile(replacement.temporary.c_str());
}

ReplaceOutcome FinishReplacement(Replacement& replacement)
{
    if (replacement.unflushed != 0)  // what an earlier flush took needs none
        FlushReplacement(replacement);
    // The mark is lifted last before the close, or the close would take the file.
    if (!replacement.failed && replacement.markedForDeletion && !MarkForDeletion(replacement, false))
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
