#include "forms/config/folder_picker.h"

#include <windows.h>
#include <shobjidl.h>

#include "store/file_check.h"
#include "ui/handles.h"

std::wstring BrowseForFolder(const std::wstring& prompt) {
    ui::ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                reinterpret_cast<void**>(dialog.put()))))
        return {};
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(prompt.c_str());
    if (FAILED(dialog->Show(GetActiveWindow()))) return {};  // cancelled, or no dialog
    ui::ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(item.put()))) return {};
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return {};
    std::wstring result = path;
    CoTaskMemFree(path);
    return result;
}

bool IsGameFolder(const std::wstring& folder) { return FileExists(folder + L"\\camelot.exe"); }
