#pragma once
#include <cstddef>

enum class FatalErrorCode {
    LibraryNotFound,
    FunctionNotFound,
    InsufficientMemory,
    ArrayIndexError,
    ResourceNotFound,
    VariantTypeError,
};

// Writes the report's text (the code's 19-character text, then name if
// given) into buffer, cut to fit, zero-terminated; needs no storage.
void ComposeFatalText(FatalErrorCode code, const char* name, char* buffer, size_t size);

// Shows the report (no owner, caption "Quillmarn", OK only) and ends the
// process with the code's exit code (code + 1).
[[noreturn]] void FatalReport(FatalErrorCode code, const char* name = nullptr);

// Routes exhausted memory, on any thread, to FatalReport(InsufficientMemory).
void InstallMemoryFailureHook();
