#include "infowin/common_controls.h"

#include "common/named_lookup.h"

CommonControlsFunctions commonControlsFunctions;

// comctl32 is not one of the system's known DLLs, so a plain load would
// look beside the program first. The program has no manifest asking for
// version 6, so the system folder's copy is the one it always had.
void LookUpCommonControls()
{
    HMODULE comctl32 = LoadSystemLibraryOrReport("comctl32.dll");
    commonControlsFunctions.initCommonControls =
        LookUpFunction<InitCommonControlsFunction>(comctl32, "InitCommonControls");
    commonControlsFunctions.createStatusWindow =
        LookUpFunction<CreateStatusWindowFunction>(comctl32, "CreateStatusWindowA");
}
