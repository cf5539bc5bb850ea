// A stand-in for a program the safe starts (the updater): it writes the
// parameters it was given and the folder it was started in to "stand_in.txt"
// in that folder, and ends.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR parameters, int) {
    char dir[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof dir, dir);
    std::string text = std::string(parameters) + "\r\n" + dir + "\r\n";
    HANDLE h = CreateFileA("stand_in.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 1;
    DWORD done = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
    CloseHandle(h);
    return 0;
}
