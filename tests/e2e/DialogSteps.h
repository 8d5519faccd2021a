#pragma once
// Steps the dialog tests share: typing into boxes key by key, check boxes,
// tab pages, walking the tab order, OK and the ways that insert nothing.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dialogs/CommonRes.h"
#include "dialogs/text/TextRes.h"
#include "e2e/Driver.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {

// Writes a whole file, as another program or the user would.
inline void WriteAll(const std::wstring& path, const std::string& bytes) {
    ASSERT_NO_THROW(test::WriteBytes(path, bytes)) << win32::Narrow(path);
}

inline std::wstring Preview(HWND dlg) { return Text(Item(dlg, IDC_TXTED)); }

// Replaces an edit control's text key by key, as the user would after
// selecting it all: every character is one change of the box.
inline void TypeInto(HWND edit, const std::wstring& text) {
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    TypeChars(edit, text);
}

inline void TypeIntoCombo(HWND combo, const std::wstring& text) {
    TypeInto(FindWindowExW(combo, nullptr, L"Edit", nullptr), text);
}

inline void SetCheck(HWND box, bool checked) {
    ASSERT_NE(box, nullptr);
    if (IsChecked(box) != checked) ClickControl(box);
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(box) == checked; }));
}

// Brings tab page `index` to the front with the arrow keys, as a user
// would with the tab control focused, and waits until `probe` (a control
// on that page) shows.
inline void ShowPage(HWND dlg, int tabId, int index, HWND probe) {
    HWND tab = Item(dlg, tabId);
    ASSERT_NE(tab, nullptr);
    int now = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
    for (; now < index; ++now) PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 1);
    for (; now > index; --now) PostMessageW(tab, WM_KEYDOWN, VK_LEFT, 1);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(probe) != FALSE; }));
}

// The ID of the focused control; a combo box's edit part counts as the
// combo box.
inline int FocusedId(HWND dlg) {
    HWND focus = FocusedControl(dlg);
    if (focus == nullptr) return 0;
    if (ClassName(GetParent(focus)) == L"ComboBox") focus = GetParent(focus);
    return GetDlgCtrlID(focus);
}

// Presses Tab `count` times, answering the IDs the focus passes through.
inline std::vector<int> TabWalk(HWND dlg, int count) {
    std::vector<int> ids;
    for (int i = 0; i < count; ++i) {
        HWND before = FocusedControl(dlg);
        PressKey(dlg, VK_TAB);
        if (!WaitUntil([&] { return FocusedControl(dlg) != before; })) break;
        ids.push_back(FocusedId(dlg));
    }
    return ids;
}

inline std::pair<DWORD, DWORD> EditSelection(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// Presses OK (or the key `vk` in the dialog), waits until the dialog has
// gone and the host's text has changed, and checks that text, read as
// UTF-8: the whole of it, or what a matcher says.
inline void OkInserts(Session& s, HWND dlg, const ::testing::Matcher<const std::string&>& text, UINT vk = 0) {
    const std::string before = s.HostText();
    if (vk != 0) PressKey(dlg, vk);
    else Click(dlg, IDC_CMDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    ASSERT_TRUE(s.WaitTextChange(before));
    EXPECT_THAT(FromCp932(s.HostText()), text);
}

// Opens the text dialog, picks `tagIndex`, sets the close-tag box, presses
// OK; given what the host then holds, waits for that and checks it.
inline void InsertTextTag(Session& s, int tagIndex, bool closeTag, const char* expected = nullptr) {
    HWND dlg = s.Open(Command::Text);
    ASSERT_NE(dlg, nullptr);
    SelectComboItem(Item(dlg, IDC_CBOTAG), tagIndex);
    if (closeTag) ClickControl(Item(dlg, IDC_CHKCLOSETAG));
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(Item(dlg, IDC_CHKCLOSETAG)) == closeTag; }));
    if (expected != nullptr) return OkInserts(s, dlg, expected);
    Click(dlg, IDC_CMDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
}

inline void ClosesWithoutInserting(Session& s, HWND dlg, int button) {
    const std::string before = s.HostText();
    if (button != 0) Click(dlg, button);
    else PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(s.Palette()) != FALSE; }));
    EXPECT_EQ(s.HostText(), before);
}

}  // namespace mq::e2e
