#pragma once
#include <windows.h>

#include <string>

// One value under HKEY_CURRENT_USER set while it lives; the value before is
// put back.
struct RegistryValueSetting {
    HKEY key = nullptr;
    std::string name;
    DWORD oldType = 0;
    std::string oldBytes;
    bool hadValue = false;

    RegistryValueSetting(const std::string& keyPath, const std::string& valueName, DWORD type, const void* bytes,
                         DWORD size);
    ~RegistryValueSetting();
    RegistryValueSetting(const RegistryValueSetting&) = delete;
    RegistryValueSetting& operator=(const RegistryValueSetting&) = delete;
};

// Sends the web-browser control's requests through a proxy on 127.0.0.1 at
// port while it lives: the information page is served there (or refused),
// and never competes with a server of the version check.
struct LocalProxy {
    DWORD enable = 1;
    std::string server;
    RegistryValueSetting enableSetting;
    RegistryValueSetting serverSetting;
    explicit LocalProxy(unsigned short port);
};
