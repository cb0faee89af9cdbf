#include "settings/program_folder.h"

namespace {

std::string_view FirstToken(std::string_view commandLine)
{
    size_t start = commandLine.find_first_not_of(' ');
    if (start == std::string_view::npos)
        return {};
    std::string_view rest = commandLine.substr(start);
    if (rest.front() == '"') {
        rest.remove_prefix(1);
        return rest.substr(0, rest.find('"'));
    }
    return rest.substr(0, rest.find(' '));
}

}  // namespace

std::string ProgramFolder(std::string_view commandLine)
{
    std::string_view token = FirstToken(commandLine);
    size_t slash = token.find_last_of('\\');
    return slash == std::string_view::npos ? std::string() : std::string(token.substr(0, slash + 1));
}
