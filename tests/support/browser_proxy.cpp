#include "support/browser_proxy.h"

namespace {
constexpr char kInternetSettingsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr DWORD kEnabled = 1;
}  // namespace

RegistryValueSetting::RegistryValueSetting(HKEY root, const std::string& keyPath, const std::string& valueName,
                                           DWORD type, const std::string& bytes)
    : name(valueName)
{
    RegCreateKeyExA(root, keyPath.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
    char old[1024] = {};
    DWORD oldSize = sizeof old;
    hadValue = RegQueryValueExA(key, name.empty() ? nullptr : name.c_str(), nullptr, &oldType,
                                reinterpret_cast<BYTE*>(old), &oldSize) == ERROR_SUCCESS;
    oldBytes.assign(old, hadValue ? oldSize : 0);
    RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
}

RegistryValueSetting::~RegistryValueSetting()
{
    const char* value = name.empty() ? nullptr : name.c_str();
    if (hadValue)
        RegSetValueExA(key, value, 0, oldType, reinterpret_cast<const BYTE*>(oldBytes.data()),
                       static_cast<DWORD>(oldBytes.size()));
    else
        RegDeleteValueA(key, value);
    RegCloseKey(key);
}

LocalProxy::LocalProxy(unsigned short port)
    : enableSetting(HKEY_CURRENT_USER, kInternetSettingsKey, "ProxyEnable", REG_DWORD,
                    std::string(reinterpret_cast<const char*>(&kEnabled), sizeof kEnabled)),
      serverSetting(HKEY_CURRENT_USER, kInternetSettingsKey, "ProxyServer", REG_SZ,
                    "127.0.0.1:" + std::to_string(port) + '\0')
{
}
