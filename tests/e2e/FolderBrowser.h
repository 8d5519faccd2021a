#pragma once
// The system's folder browser, driven through its tree as a user would
// click it: expanding a folder fills its children in, a click selects one.
#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

#include "e2e/Driver.h"

namespace mq::e2e {

// A folder of the test's own at the top of drive C:, where the browser's
// tree reaches it from the drive in two steps; removed with all in it.
class DriveCFolder {
public:
    explicit DriveCFolder(const std::wstring& prefix) {
        static int n = 0;
        name_ = prefix + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++n);
        CreateDirectoryW(Path().c_str(), nullptr);
    }
    ~DriveCFolder() {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::path(Path()), ec);
    }
    DriveCFolder(const DriveCFolder&) = delete;
    DriveCFolder& operator=(const DriveCFolder&) = delete;
    const std::wstring& Name() const { return name_; }
    std::wstring Path() const { return L"C:\\" + name_; }

private:
    std::wstring name_;
};

// Memory in the palette's process for the tree's messages that carry
// pointers.
class RemoteBuffer {
public:
    RemoteBuffer(DWORD pid, SIZE_T size) : size_(size) {
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr) {
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Ok() const { return address_ != nullptr; }
    char* Address() const { return static_cast<char*>(address_); }
    bool Write(SIZE_T offset, const void* data, SIZE_T n) {
        return WriteProcessMemory(process_, Address() + offset, data, n, nullptr) != FALSE;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T n) {
        return ReadProcessMemory(process_, Address() + offset, data, n, nullptr) != FALSE;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    SIZE_T size_;
};

class FolderBrowser {
public:
    FolderBrowser(HWND dialog, DWORD pid)
        : dialog_(dialog), tree_(FindTree(dialog)), remote_(pid, sizeof(TVITEMW) + 1024) {}

    static HWND FindTree(HWND dialog) {
        return FindChild(dialog, [](HWND w) { return ClassName(w) == WC_TREEVIEWW; });
    }

    bool Ready() const { return tree_ != nullptr && remote_.Ok(); }

    std::wstring ItemText(HTREEITEM item) {
        TVITEMW tv{};
        tv.mask = TVIF_TEXT | TVIF_HANDLE;
        tv.hItem = item;
        tv.pszText = reinterpret_cast<LPWSTR>(remote_.Address() + sizeof(TVITEMW));
        tv.cchTextMax = 500;
        const wchar_t none = 0;
        remote_.Write(sizeof(TVITEMW), &none, sizeof none);
        remote_.Write(0, &tv, sizeof tv);
        if (!SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote_.Address()))) return {};
        wchar_t text[501] = {};
        remote_.Read(sizeof(TVITEMW), text, 500 * sizeof(wchar_t));
        return text;
    }

    std::vector<HTREEITEM> Children(HTREEITEM parent) {
        // Expanding fills the children in, as a click on the "+" does.
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
        std::vector<HTREEITEM> items;
        auto item = reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
        while (item != nullptr) {
            items.push_back(item);
            item = reinterpret_cast<HTREEITEM>(
                SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        }
        return items;
    }

    // The drive "C:" in the tree: a child of one of the desktop's items.
    HTREEITEM DriveC() {
        auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        for (HTREEITEM place : Children(root)) {
            for (HTREEITEM drive : Children(place)) {
                if (ItemText(drive).find(L"(C:)") != std::wstring::npos) return drive;
            }
        }
        return nullptr;
    }

    HTREEITEM Child(HTREEITEM parent, const std::wstring& name) {
        for (HTREEITEM item : Children(parent)) {
            if (ItemText(item) == name) return item;
        }
        return nullptr;
    }

    // Picks C:\<names...> in the tree, one folder down at a time, and
    // presses OK.
    bool ChooseOnDriveC(std::initializer_list<std::wstring> names) {
        HTREEITEM folder = DriveC();
        for (const auto& name : names) {
            if (folder == nullptr) return false;
            folder = Child(folder, name);
        }
        if (folder == nullptr) return false;
        SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(folder));
        SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(folder));
        if (SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0) != reinterpret_cast<LRESULT>(folder)) {
            return false;
        }
        Click(dialog_, IDOK);
        return true;
    }

    void Cancel() { Click(dialog_, IDCANCEL); }

private:
    HWND dialog_;
    HWND tree_;
    RemoteBuffer remote_;
};

// The palette's dialog that holds a tree view: the folder browser.
inline HWND FindFolderBrowser(Session& s) {
    const DWORD pid = s.PaletteProcessId();
    return FindTopLevel([&](HWND w) {
        return ProcessOf(w) == pid && IsWindowVisible(w) && FolderBrowser::FindTree(w) != nullptr;
    });
}

inline HWND WaitFolderBrowser(Session& s) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindFolderBrowser(s)) != nullptr; });
    return found;
}

}  // namespace mq::e2e
