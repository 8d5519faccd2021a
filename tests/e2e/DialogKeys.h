#pragma once
// The checks every dialog goes through under the user's keys, written once
// (e2e_dialog_keys.cpp) and run for each dialog by its own test file, which
// knows the dialog's control IDs: editable lists typed through their items
// and picked every way a user picks; Enter, Esc and the close box from
// wherever the focus is; the tab pages by Ctrl+Tab and Ctrl+PageDown; a
// character typed in front of a box's text, and one outside the BMP.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "palette/Palette.h"

namespace mq::e2e {

struct DialogCase {
    const char* name;
    mq::Command command;
    int tabId;                   // 0: no tab pages
    std::vector<int> enterFrom;  // controls Enter is pressed in, one opening each
    std::string after;           // what OK puts after the selection
    bool escCancels = true;
    int addsTo = 0;        // the list Enter adds an entry to (the choice entries dialog)
    int templateList = 0;  // the template list to pick the library's one template from
};

// An editable drop-down list, and the text its value shows as in the
// preview (TEXT standing for the value).
struct ListCase {
    const char* name;
    mq::Command command;
    int tabId;
    int comboId;
    int checkId;  // the attribute's check box, 0 when it is always written
    std::wstring fragment;
};

// A text box, typed into, whose value the preview shows in double quotes.
struct BoxCase {
    const char* name;
    mq::Command command;
    int tabId;
    int boxId;
    int checkId;
    int addsTo = 0;        // the choice entries dialog: Enter adds, then OK
    int templateList = 0;  // the template dialog: the library's one template picked first
};

inline std::ostream& operator<<(std::ostream& os, const DialogCase& c) { return os << c.name; }
inline std::ostream& operator<<(std::ostream& os, const ListCase& c) { return os << c.name; }
inline std::ostream& operator<<(std::ostream& os, const BoxCase& c) { return os << c.name; }

class DialogKeys : public ::testing::TestWithParam<DialogCase> {};
class TabbedDialogs : public ::testing::TestWithParam<DialogCase> {};
class EditableLists : public ::testing::TestWithParam<ListCase> {};
class TypedBoxes : public ::testing::TestWithParam<BoxCase> {};

// Names each instance after its case.
struct CaseName {
    template <class P>
    std::string operator()(const ::testing::TestParamInfo<P>& info) const {
        return info.param.name;
    }
};

}  // namespace mq::e2e
