#include "common/file_replace.h"

#include "common/platform_error_text.h"

namespace {

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
constexpr unsigned kNameChoices = 0x10000;
// A long output is flushed as it grows, so the flush before the move has
// little left to wait for.
constexpr size_t kFlushEvery = 4 * 1024 * 1024;

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string TemporaryName(const std::string& folder, unsigned number)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::string name = folder + "~q";
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
    if (replacement.file != INVALID_HANDLE_VALUE && !CloseHandle(replacement.file))
        Fail(replacement, GetLastError());
    replacement.file = INVALID_HANDLE_VALUE;
}

ReplaceOutcome Abandon(Replacement& replacement)
{
    CloseTemporary(replacement);
    if (!replacement.temporary.empty()) {
        SetFileAttributesA(replacement.temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(replacement.temporary.c_str());
    }
    std::string reason = replacement.error == 0 ? std::string() : PlatformErrorText(replacement.error);
    if (reason.empty())
        reason = "The file could not be replaced; it may be open in another program.";
    return {false, "Could not write " + replacement.target + ":\r\n" + reason};
}

void TakeOldAttributes(const Replacement& replacement)
{
    DWORD old = GetFileAttributesA(replacement.target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && !(old & FILE_ATTRIBUTE_DIRECTORY))
        SetFileAttributesA(replacement.temporary.c_str(), (old & kKeptAttributes) ? old & kKeptAttributes
                                                                                  : FILE_ATTRIBUTE_NORMAL);
}

}  // namespace

WriteFunction replacementWrite = WriteFile;

Replacement BeginReplacement(const std::string& target)
{
    Replacement replacement;
    replacement.target = target;
    std::string folder = FolderOf(target);
    unsigned first = GetTickCount() ^ GetCurrentProcessId();
    for (unsigned tried = 0; tried < kNameChoices; ++tried) {
        std::string name = TemporaryName(folder, first + tried);
        replacement.file = CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
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
        if (!replacementWrite(replacement.file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            Fail(replacement, GetLastError());
            return;
        }
        bytes.remove_prefix(written);
        replacement.unflushed += written;
    }
    if (!replacement.failed && replacement.unflushed >= kFlushEvery) {
        if (!FlushFileBuffers(replacement.file))
            Fail(replacement, GetLastError());
        replacement.unflushed = 0;
    }
}

ReplaceOutcome FinishReplacement(Replacement& replacement)
{
    if (!replacement.failed && !FlushFileBuffers(replacement.file))
        Fail(replacement, GetLastError());
    CloseTemporary(replacement);
    if (replacement.failed)
        return Abandon(replacement);
    TakeOldAttributes(replacement);
    SetLastError(0);
    // Wine answers a held-open target with FALSE and no error code.
    if (!MoveFileExA(replacement.temporary.c_str(), replacement.target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail(replacement, GetLastError());
        return Abandon(replacement);
    }
    return {true, {}};
}

ReplaceOutcome ReplaceFileContents(const std::string& path, std::string_view text)
{
    Replacement replacement = BeginReplacement(path);
    WriteReplacement(replacement, text);
    return FinishReplacement(replacement);
}
