// Stands in for the browser: registered as the shell's handler for http
// addresses, it adds the address it is given as a line to FOLDER\addresses.txt.
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 99;
    std::ofstream(std::string(argv[1]) + "\\addresses.txt", std::ios::app | std::ios::binary) << argv[2] << '\n';
    return 0;
}
