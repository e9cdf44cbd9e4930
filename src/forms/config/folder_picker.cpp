#include "forms/config/folder_picker.h"

#include <windows.h>
#include <shobjidl.h>

#include "base/handles.h"
#include "base/lang.h"
#include "store/file_check.h"

std::wstring BrowseForFolder(const std::wstring& prompt) {
    base::ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                reinterpret_cast<void**>(dialog.put()))))
        return {};
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(prompt.c_str());
    if (FAILED(dialog->Show(GetActiveWindow()))) return {};  // cancelled, or no dialog
    base::ComPtr<IShellItem> item;
    if (FAILED(dialog->GetResult(item.put()))) return {};
    base::CoTaskMemString path;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, path.put())) || !path.get()) return {};
    return path.get();
}

bool IsGameFolder(const std::wstring& folder) { return FileExists(folder + L"\\camelot.exe"); }

std::optional<std::wstring> PickGameFolder(const std::function<void(const std::wstring& path)>& refusal) {
    const std::wstring path = BrowseForFolder(LangText(L"client", L"pick_folder"));
    if (path.empty() || IsGameFolder(path)) return path;
    refusal(path);
    return std::nullopt;
}
