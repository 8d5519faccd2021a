#include "platform/win32/CommonControls.h"

#include <uxtheme.h>

#include "platform/win32/SystemDll.h"

namespace mq::win32 {
namespace {
constexpr const wchar_t* kComctl = L"comctl32.dll";
}  // namespace

void InitCommonControls(DWORD classes) {
    static const auto init =
        SystemFunction<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(kComctl, "InitCommonControlsEx");
    const INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    if (init != nullptr) init(&icc);
}

HIMAGELIST CreateImageList(int cx, int cy, UINT flags, int initial, int grow) {
    static const auto create =
        SystemFunction<HIMAGELIST(WINAPI*)(int, int, UINT, int, int)>(kComctl, "ImageList_Create");
    return create != nullptr ? create(cx, cy, flags, initial, grow) : nullptr;
}

void AddMaskedImage(HIMAGELIST list, HBITMAP bitmap, COLORREF mask) {
    static const auto add =
        SystemFunction<int(WINAPI*)(HIMAGELIST, HBITMAP, COLORREF)>(kComctl, "ImageList_AddMasked");
    if (add != nullptr && list != nullptr) add(list, bitmap, mask);
}

void DestroyImageList(HIMAGELIST list) {
    static const auto destroy =
        SystemFunction<BOOL(WINAPI*)(HIMAGELIST)>(kComctl, "ImageList_Destroy");
    if (destroy != nullptr && list != nullptr) destroy(list);
}

void EnableTabPageTexture(HWND page) {
    static const auto enable = SystemFunction<HRESULT(WINAPI*)(HWND, DWORD)>(
        L"uxtheme.dll", "EnableThemeDialogTexture");
    if (enable != nullptr) enable(page, ETDT_ENABLETAB);
}

}  // namespace mq::win32
