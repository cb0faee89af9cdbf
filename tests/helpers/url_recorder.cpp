// Stands in for the browser: registered as the shell's handler for http
// addresses, it writes the address it is given to FOLDER\<process id>.url.
#include "support/test_paths.h"

#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 99;
    PutFile(std::string(argv[1]) + "\\" + std::to_string(GetCurrentProcessId()) + ".url", argv[2]);
    return 0;
}
