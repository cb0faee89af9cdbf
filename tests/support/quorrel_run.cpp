#include "support/quorrel_run.h"

#include "support/test_paths.h"

std::string LoadOrderKey(const std::string& program)
{
    return "Software\\Wine\\AppDefaults\\" + program.substr(program.find_last_of('\\') + 1) + "\\DllOverrides";
}

QuorrelRun StartQuorrel(const std::string& label, const StartOptions& options)
{
    QuorrelRun run;
    run.folder = MakeScratchFolder(label);
    run.program = run.folder + options.copyName;
    CopyFileA((TestProgramFolder() + "..\\" + options.program).c_str(), run.program.c_str(), FALSE);
    for (const auto& [library, order] : options.loadOrders)
        RegSetKeyValueA(HKEY_CURRENT_USER, LoadOrderKey(run.program).c_str(), library.c_str(), REG_SZ, order.c_str(),
                        static_cast<DWORD>(order.size() + 1));
    std::string besideName = options.fileBeside.substr(options.fileBeside.find_last_of('\\') + 1);
    if (!besideName.empty())
        CopyFileA((TestProgramFolder() + options.fileBeside).c_str(), (run.folder + besideName).c_str(), FALSE);
    if (options.prepare)
        options.prepare(run);
    run.child = StartProcess('"' + run.program + "\" " + options.arguments, run.folder);
    // Closing the job also ends the surrogate COM starts when a control cannot be loaded into the program.
    run.processes = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(run.processes, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(run.processes, run.child.process);
    if (options.waitForMainWindow && (run.mainWindow = WaitForWindow(run.child.id, kMainCaption, 20000)))
        run.infoWindow = GetWindow(run.mainWindow, GW_OWNER);
    return run;
}

FinishedAtEnd::~FinishedAtEnd()
{
    TerminateProcess(run.child.process, 99);
    CloseHandle(run.processes);
    WaitForExit(run.child, 5000);
    CloseHandle(run.child.process);
    RegDeleteTreeA(HKEY_CURRENT_USER, LoadOrderKey(run.program).c_str());
    RemoveTree(run.folder);
}
