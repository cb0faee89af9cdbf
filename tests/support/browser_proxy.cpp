#include "support/browser_proxy.h"

namespace {
constexpr char kInternetSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
}

RegistryValueSetting::RegistryValueSetting(const std::string& keyPath, const std::string& valueName, DWORD type,
                                           const void* bytes, DWORD size)
    : name(valueName)
{
    RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    char old[1024] = {};
    DWORD oldSize = sizeof old;
    hadValue =
        RegQueryValueExA(key, name.c_str(), nullptr, &oldType, reinterpret_cast<BYTE*>(old), &oldSize) == ERROR_SUCCESS;
    oldBytes.assign(old, hadValue ? oldSize : 0);
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(bytes), size);
}

RegistryValueSetting::~RegistryValueSetting()
{
    if (hadValue)
        RegSetValueExA(key, name.c_str(), 0, oldType, reinterpret_cast<const BYTE*>(oldBytes.data()),
                       static_cast<DWORD>(oldBytes.size()));
    else
        RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

LocalProxy::LocalProxy(unsigned short port)
    : server("127.0.0.1:" + std::to_string(port)),
      enableSetting(kInternetSettingsKey, "ProxyEnable", REG_DWORD, &enable, sizeof enable),
      serverSetting(kInternetSettingsKey, "ProxyServer", REG_SZ, server.c_str(), static_cast<DWORD>(server.size() + 1))
{
}
