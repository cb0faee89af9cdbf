#pragma once
#include <windows.h>

#include <string>

// One registry value set while it lives; the value before is put back.
struct RegistryValueSetting {
    HKEY key = nullptr;
    std::string name;
    DWORD oldType = 0;
    std::string oldBytes;
    bool hadValue = false;

    RegistryValueSetting(HKEY root, const std::string& keyPath, const std::string& valueName, DWORD type,
                         const std::string& bytes);
    ~RegistryValueSetting();
    RegistryValueSetting(const RegistryValueSetting&) = delete;
    RegistryValueSetting& operator=(const RegistryValueSetting&) = delete;
};

// Sends the web-browser control's requests through a proxy on 127.0.0.1 at
// port while it lives: the information page is served there (or refused),
// and never competes with a server of the version check.
struct LocalProxy {
    RegistryValueSetting enableSetting;
    RegistryValueSetting serverSetting;
    explicit LocalProxy(unsigned short port);
};
