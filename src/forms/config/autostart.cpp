#include "forms/config/autostart.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "base/handles.h"
#include "base/lang.h"
#include "base/paths.h"
#include "base/product.h"
#include "store/file_check.h"

std::wstring SpecialFolderPath(int folderId) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return path;
}

std::wstring StartupFolder() {
    std::wstring folder = SpecialFolderPath(CSIDL_STARTUP);
    // Without a Startup folder there is no place for the shortcut (never the drive's root).
    if (folder.empty()) return {};
    if (folder.back() != L'\\') folder += L'\\';
    return folder;
}

std::wstring AutostartShortcutPath() {
    const std::wstring folder = StartupFolder();
    return folder.empty() ? std::wstring() : folder + kProductName + L".lnk";
}

bool CreateShortcut(const std::wstring& linkFile, const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& description, const std::wstring& workingDirectory,
                    const std::wstring& iconFile) {
    base::ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put()))))
        return false;
    if (!arguments.empty()) link->SetArguments(arguments.c_str());
    if (!description.empty()) link->SetDescription(description.c_str());
    if (!workingDirectory.empty()) link->SetWorkingDirectory(workingDirectory.c_str());
    if (!iconFile.empty()) link->SetIconLocation(iconFile.c_str(), 0);
    if (FAILED(link->SetPath(target.c_str()))) return false;
    base::ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) return false;
    return SUCCEEDED(file->Save(linkFile.c_str(), TRUE));
}

bool CreateAutostart() {
    const std::wstring link = AutostartShortcutPath();
    if (link.empty()) return false;
    return CreateShortcut(link, ExecutablePath(), L"", LangFormat(L"general", L"autostart_link", {kProductName}),
                          ProgramDir());
}

void RemoveAutostart() {
    const std::wstring link = AutostartShortcutPath();
    if (!link.empty()) DeleteFileW(link.c_str());
}

bool AutostartExists() {
    const std::wstring link = AutostartShortcutPath();
    return !link.empty() && FileExists(link);
}
