#include "settings/program_folder.h"

namespace {

std::wstring_view FirstToken(std::wstring_view commandLine)
{
    size_t start = commandLine.find_first_not_of(L' ');
    if (start == std::wstring_view::npos)
        return {};
    std::wstring_view rest = commandLine.substr(start);
    if (rest.front() == L'"') {
        rest.remove_prefix(1);
        return rest.substr(0, rest.find(L'"'));
    }
    return rest.substr(0, rest.find(L' '));
}

}  // namespace

std::wstring ProgramFolder(std::wstring_view commandLine)
{
    std::wstring_view token = FirstToken(commandLine);
    size_t slash = token.find_last_of(L'\\');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(token.substr(0, slash + 1));
}
