// Every dialog under the user's keys: editable lists typed through their
// items and picked every way a user picks; Enter, Esc and the close box
// from wherever the focus is; the tab pages by Ctrl+Tab and Ctrl+PageDown;
// a character typed in front of a box's text, and one outside the BMP.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/DialogKeys.h"
#include "e2e/DialogSteps.h"
#include "e2e/Driver.h"
#include "support/LinkTemplate.h"
#include "platform/win32/WideText.h"

namespace mq::e2e {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// The host's text, and the library's one template beside the program
// when the dialog picks one.
HostOptions HostFor(int templateList) {
    HostOptions o = Selected("x");
    if (templateList != 0) o.programFiles.emplace_back(L"link.ktt", ToCp932(test::kLinkTemplate));
    return o;
}

// Brings the page that holds `control` to the front with Ctrl+PageDown.
void TurnTo(HWND dlg, int tabId, HWND control) {
    if (tabId == 0) return;
    HWND tab = DeepItem(dlg, tabId);
    const int pages = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < pages && !IsWindowVisible(control); ++i) {
        const auto now = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
        PressChord(dlg, {VK_CONTROL, VK_NEXT});
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) != now; }));
    }
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(control) != FALSE; }));
}

// The library's one template, picked with the keyboard.
void PickTheTemplate(HWND dlg, int templateList) {
    if (dlg == nullptr || templateList == 0) return;
    HWND files = Item(dlg, templateList);
    ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dlg) == files; }));
    PressKey(dlg, VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return !Preview(dlg).empty(); }));
}

HWND Open(Session& s, const DialogCase& c) {
    HWND dlg = s.Open(c.command);
    PickTheTemplate(dlg, c.templateList);
    return dlg;
}

TEST_P(DialogKeys, EnterFromAnyControlEscAndTheCloseBox) {
    const DialogCase& c = GetParam();
    Session s(HostFor(c.templateList));
    int entries = 0;
    HWND ce = nullptr;
    for (int id : c.enterFrom) {
        SCOPED_TRACE("Enter in control " + std::to_string(id));
        HWND dlg = ce != nullptr ? ce : Open(s, c);
        ASSERT_NE(dlg, nullptr);
        HWND control = DeepItem(dlg, id);
        ASSERT_NE(control, nullptr);
        TurnTo(dlg, c.tabId, control);
        FocusOn(control);
        const std::wstring preview = c.command == mq::Command::Text ? L"<BR>" : Preview(dlg);
        if (c.addsTo != 0) {
            // Enter adds the entry composed so far; the dialog stays.
            PressKey(dlg, VK_RETURN);
            ce = dlg;
            ++entries;
            HWND list = Item(dlg, c.addsTo);
            ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == entries; }));
            EXPECT_TRUE(IsWindow(dlg));
            continue;
        }
        ASSERT_NO_FATAL_FAILURE(OkInserts(s, dlg, win32::Narrow(preview) + "x" + c.after, VK_RETURN));
        s.SetHostText("x", 0, 1);
    }
    if (ce != nullptr) ClosesWithoutInserting(s, ce, IDC_CMDCANCEL);

    // Esc: Cancel, but in the card dialog nothing at all.
    HWND dlg = Open(s, c);
    ASSERT_NE(dlg, nullptr);
    const std::string before = s.HostText();
    PressKey(dlg, VK_ESCAPE);
    if (c.escCancels) {
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dlg); }));
    } else {
        // Give the key its time, then see the dialog still there.
        HWND probe = Item(dlg, IDC_TXTED);
        FocusOn(probe);
        EXPECT_TRUE(IsWindow(dlg));
        ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
    }
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(s.Palette()) != FALSE; }));
    EXPECT_EQ(s.HostText(), before);

    dlg = Open(s, c);
    ASSERT_NE(dlg, nullptr);
    ClosesWithoutInserting(s, dlg, 0);  // the close box
}

TEST_P(TabbedDialogs, CtrlTabAndCtrlPageKeysTurnThePagesAround) {
    const DialogCase& c = GetParam();
    Session s(HostFor(c.templateList));
    HWND dlg = Open(s, c);
    ASSERT_NE(dlg, nullptr);
    HWND tab = DeepItem(dlg, c.tabId);
    const int pages = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    ASSERT_GE(pages, 2);
    FocusOn(Item(dlg, IDC_TXTED));
    const auto page = [&] { return static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0)); };
    // The focus lands on the page now in front.
    const auto focusOnPage = [&] {
        HWND f = FocusedControl(dlg);
        while (f != nullptr && GetParent(f) != dlg) f = GetParent(f);
        return f != nullptr && f != tab && IsWindowVisible(f) && GetDlgCtrlID(f) != IDC_TXTED;
    };
    struct Step {
        std::initializer_list<WORD> keys;
        int delta;
    };
    const Step steps[] = {{{VK_CONTROL, VK_TAB}, 1},
                          {{VK_CONTROL, VK_NEXT}, 1},
                          {{VK_CONTROL, VK_SHIFT, VK_TAB}, -1},
                          {{VK_CONTROL, VK_PRIOR}, -1}};
    for (const Step& step : steps) {
        // Each chord all the way round: back where it started.
        for (int i = 0; i < pages; ++i) {
            const int now = page();
            const int want = (now + step.delta + pages) % pages;
            PressChord(dlg, step.keys);
            ASSERT_TRUE(WaitUntil([&] { return page() == want; })) << "from page " << now;
            EXPECT_TRUE(WaitUntil(focusOnPage)) << "page " << want;
        }
        EXPECT_EQ(page(), 0);
    }
    ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
}

std::wstring Fragment(const ListCase& c, const std::wstring& value) {
    std::wstring f = c.fragment;
    f.replace(f.find(L"TEXT"), 4, value);
    return f;
}

// Opens a dialog, brings the page of control `id` to the front and checks
// the attribute's box, if it has one.
void OpenAt(Session& s, mq::Command command, int tabId, int id, int checkId, HWND& dlg, HWND& control,
            int templateList = 0) {
    dlg = s.Open(command);
    ASSERT_NE(dlg, nullptr);
    PickTheTemplate(dlg, templateList);
    control = DeepItem(dlg, id);
    ASSERT_NE(control, nullptr);
    TurnTo(dlg, tabId, control);
    if (checkId != 0) SetCheck(DeepItem(dlg, checkId), true);
}

TEST_P(EditableLists, TypedTextIsTheValueAndPicksStillWork) {
    const ListCase& c = GetParam();
    Session s(Selected("x"));
    HWND dlg = nullptr, combo = nullptr;
    OpenAt(s, c.command, c.tabId, c.comboId, c.checkId, dlg, combo);
    if (HasFatalFailure()) return;
    HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);

    const auto items = ListLines(combo);
    ASSERT_GE(items.size(), 2u);
    std::vector<std::wstring> typed;
    for (const auto& item : items) {
        typed.push_back(item);
        typed.push_back(item + L"X");  // through the item and beyond
        typed.push_back(item + L" ");  // ending in a space
    }
    typed.push_back(L"GOSUB");
    typed.push_back(L"SOFT10");
    typed.push_back(L"3.0.1");
    for (const auto& text : typed) {
        SCOPED_TRACE(win32::Narrow(text));
        TypeInto(edit, text);
        EXPECT_EQ(Text(combo), text);
        EXPECT_EQ(EditSelection(edit), std::make_pair(DWORD(text.size()), DWORD(text.size())));
        EXPECT_NE(Preview(dlg).find(Fragment(c, text)), std::wstring::npos) << win32::Narrow(Preview(dlg));
    }

    // Picks, each way a user picks, after typed text.
    const Pick ways[] = {Pick::Arrows, Pick::AltDownEnter, Pick::TypedPrefix, Pick::Mouse};
    int index = 1;
    for (Pick how : ways) {
        SCOPED_TRACE("pick " + std::to_string(static_cast<int>(how)));
        TypeInto(edit, L"typed");
        PickComboItem(combo, index, how);
        const std::wstring& item = items[static_cast<std::size_t>(index)];
        ASSERT_TRUE(WaitUntil([&] { return Text(combo) == item; })) << win32::Narrow(Text(combo));
        EXPECT_TRUE(WaitUntil([&] { return Preview(dlg).find(Fragment(c, item)) != std::wstring::npos; }))
            << win32::Narrow(Preview(dlg));
        index = index == 1 ? 0 : 1;
    }

    // What OK inserts is the text as typed, the trailing space included.
    TypeInto(edit, L"GO ");
    const std::wstring preview = Preview(dlg);
    ASSERT_NE(preview.find(Fragment(c, L"GO ")), std::wstring::npos);
    if (c.command == mq::Command::CE) {
        // What the list's entries insert is the choice entries tests' own.
        ClosesWithoutInserting(s, dlg, IDC_CMDCANCEL);
        return;
    }
    OkInserts(s, dlg, StartsWith(win32::Narrow(preview)));
}

// A character in front of text already there, then a character outside
// the BMP, which comes as two WM_CHAR (a surrogate pair) and reaches the
// host as code page 932 spells it: "??" for a character it does not hold.
TEST_P(TypedBoxes, AtTheStartAndOutsideTheBmpTheTextStaysAsTyped) {
    const BoxCase& c = GetParam();
    Session s(HostFor(c.templateList));
    HWND dlg = nullptr, box = nullptr;
    OpenAt(s, c.command, c.tabId, c.boxId, c.checkId, dlg, box, c.templateList);
    if (HasFatalFailure()) return;

    TypeInto(box, L"bc");
    SendMessageW(box, EM_SETSEL, 0, 0);
    TypeChars(box, L"a");
    EXPECT_EQ(Text(box), L"abc");
    EXPECT_EQ(EditSelection(box), std::make_pair(DWORD(1), DWORD(1)));
    EXPECT_NE(Preview(dlg).find(L"\"abc\""), std::wstring::npos) << win32::Narrow(Preview(dlg));

    // A😀B, the emoji as the keyboard delivers it: high half, low half.
    TypeInto(box, L"A");
    SendMessageW(box, WM_CHAR, 0xD83D, 1);
    EXPECT_EQ(Text(box), std::wstring(L"A") + wchar_t(0xD83D));  // the half stays
    EXPECT_EQ(EditSelection(box), std::make_pair(DWORD(2), DWORD(2)));
    SendMessageW(box, WM_CHAR, 0xDE00, 1);
    TypeChars(box, L"B");
    EXPECT_EQ(Text(box), L"A\U0001F600B");
    EXPECT_NE(Preview(dlg).find(L"\"A\U0001F600B\""), std::wstring::npos);
    if (c.addsTo != 0) {
        PressKey(dlg, VK_RETURN);  // into the list, then OK
        HWND list = Item(dlg, c.addsTo);
        ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }));
    }
    OkInserts(s, dlg, HasSubstr("\"A??B\""));
}

}  // namespace
}  // namespace mq::e2e
