// Raises one fatal report the way the program would meet it:
//   library NAME | function NAME | code N | memory | memory-thread
#include "common/fatal_report.h"
#include "common/named_lookup.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t kBlockSize = 64u << 20;
char* volatile heldBlocks[256];

// Takes large blocks until the allocator runs dry; the failure hook ends the
// process, so returning means the hook did not fire.
DWORD WINAPI ExhaustMemory(LPVOID)
{
    for (auto& block : heldBlocks)
        block = new char[kBlockSize];
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "library") == 0)
        LoadLibraryOrReport(argv[2]);
    else if (argc == 3 && std::strcmp(argv[1], "function") == 0)
        LookUpOrReport(GetModuleHandleA("kernel32.dll"), argv[2]);
    else if (argc == 3 && std::strcmp(argv[1], "code") == 0)
        FatalReport(static_cast<FatalErrorCode>(std::atoi(argv[2])));
    else if (argc == 2 && std::strcmp(argv[1], "memory") == 0) {
        InstallMemoryFailureHook();
        ExhaustMemory(nullptr);
    } else if (argc == 2 && std::strcmp(argv[1], "memory-thread") == 0) {
        InstallMemoryFailureHook();
        HANDLE worker = CreateThread(nullptr, 0, ExhaustMemory, nullptr, 0, nullptr);
        WaitForSingleObject(worker, 60000);
    }
    return 99;
}
