#include "common/shell_functions.h"

#include "common/named_lookup.h"

ShellFunctions shellFunctions;

void LookUpShellFunctions()
{
    shellFunctions.ole32 = LoadLibraryOrReport("ole32.dll");
    shellFunctions.coTaskMemFree = LookUpFunction<CoTaskMemFreeFunction>(shellFunctions.ole32, "CoTaskMemFree");
    shellFunctions.shell32 = LoadLibraryOrReport("shell32.dll");
    shellFunctions.getPathFromIdList =
        LookUpFunction<GetPathFromIdListFunction>(shellFunctions.shell32, "SHGetPathFromIDList");
    shellFunctions.browseForFolder =
        LookUpFunction<BrowseForFolderFunction>(shellFunctions.shell32, "SHBrowseForFolder");
}

void LookUpShellExecute()
{
    shellFunctions.shellExecute = LookUpFunction<ShellExecuteFunction>(shellFunctions.shell32, "ShellExecuteA");
    shellFunctions.coInitializeEx = LookUpFunction<CoInitializeExFunction>(shellFunctions.ole32, "CoInitializeEx");
    shellFunctions.coUninitialize = LookUpFunction<CoUninitializeFunction>(shellFunctions.ole32, "CoUninitialize");
}
