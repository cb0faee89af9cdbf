// Demonstration driver for `make run` without a display: starts the program,
// presses "Create GoogleFile", reports the summary and the new sitemap.xml,
// saves a picture of the screen, then closes the program.
// Usage: quorrel_demo <program path> <picture path (.bmp)>
#include "tools/driver/program_driver.h"

#include <cstdio>
#include <fstream>
#include <vector>

namespace {

bool SaveScreenPicture(const std::string& path)
{
    HWND desktop = GetDesktopWindow();
    RECT area;
    GetClientRect(desktop, &area);
    int width = area.right;
    int height = area.bottom;
    HDC screen = GetDC(desktop);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    int rowBytes = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(rowBytes) * height);
    GetDIBits(memory, picture, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(desktop, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return out.good();
}

int Fail(const char* what)
{
    std::printf("demo: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return Fail("usage: quorrel_demo <program path> <picture path>");
    std::string program = argv[1];
    ChildProcess child = StartProcess("\"" + program + "\"", program.substr(0, program.find_last_of('\\')));
    HWND mainWindow = WaitForWindow(child.id, kMainCaption, 60000);
    if (!mainWindow)
        return Fail("the main window did not appear");

    std::string pageFolder = WindowText(GetDlgItem(mainWindow, kPageFolderFieldId));
    if (!pageFolder.empty() && pageFolder.back() != '\\')
        pageFolder += '\\';
    std::printf("Page folder:  %s\nWeb address:  %s\n\n", pageFolder.c_str(),
                WindowText(GetDlgItem(mainWindow, kWebAddressFieldId)).c_str());

    PressButton(GetDlgItem(mainWindow, kCreateButtonId));
    std::optional<MessageBoxSeen> summary = WaitForMessageBox(child.id, 30000);
    if (!summary)
        return Fail("no summary was shown");
    std::printf("Summary box \"%s\":\n%s\n\nNew sitemap: %ssitemap.xml\n", summary->caption.c_str(),
                summary->text.c_str(), pageFolder.c_str());
    if (!SaveScreenPicture(argv[2]))
        std::printf("demo: the picture could not be saved\n");

    AnswerMessageBox(summary->window, IDOK);
    WaitUntil([&] { return !IsWindow(summary->window); }, 10000);
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    std::optional<DWORD> exitCode = WaitForExit(child, 10000);
    if (!exitCode)
        return Fail("the program did not end");
    std::printf("Closed; exit code %lu\n", *exitCode);
    std::fflush(stdout);
    return *exitCode == 0 ? 0 : 1;
}
