#include "tools/driver/program_driver.h"

namespace {

constexpr int kMessageTextId = 0xFFFF;

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && (search->processId == 0 || owner == search->processId))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

MessageBoxSeen ReadMessageBox(HWND box)
{
    MessageBoxSeen seen;
    seen.window = box;
    seen.owner = GetWindow(box, GW_OWNER);
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, kMessageTextId));
    std::vector<HWND> children;
    EnumChildWindows(box, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) {
        std::string cls = WindowClass(child);
        if (lstrcmpiA(cls.c_str(), "Button") == 0)
            seen.buttons.push_back(WindowText(child));
        else if (lstrcmpiA(cls.c_str(), "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_ICON) == SS_ICON &&
                 SendMessageA(child, STM_GETICON, 0, 0) != 0)
            seen.hasIcon = true;
    }
    return seen;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD processId)
{
    WindowSearch search{processId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ChildProcess StartProcess(const std::string& commandLine, const std::string& folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info))
        return {};
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

std::optional<DWORD> WaitForExit(const ChildProcess& child, DWORD timeoutMs)
{
    if (!child.process || WaitForSingleObject(child.process, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(child.process, &code);
    return code;
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    std::optional<MessageBoxSeen> result;
    WaitUntil(
        [&] {
            for (HWND window : VisibleTopLevelWindows(processId))
                if (WindowClass(window) == "#32770" && GetDlgItem(window, kMessageTextId)) {
                    result = ReadMessageBox(window);
                    return true;
                }
            return false;
        },
        timeoutMs);
    return result;
}

void AnswerMessageBox(HWND box, int buttonId)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    HWND result = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : VisibleTopLevelWindows(processId))
                if (WindowText(window) == caption) {
                    result = window;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return result;
}

void PressButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

std::string WindowText(HWND window)
{
    // WM_GETTEXT is carried across processes, unlike GetWindowTextA, which
    // answers another process's edit field with its creation text.
    char text[4096] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &length);
    return text;
}

std::string WindowClass(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
