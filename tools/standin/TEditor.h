#pragma once
// The stand-in host's edit control, window class "TEditor": an ANSI window
// that keeps its text as code page 932 bytes and answers the text and
// selection messages in byte offsets, as the real editor's control does.
// A plain EDIT control will not do: under Wine it reports characters, not
// bytes.
#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

inline constexpr const char* kEditorClass = "TEditor";

// How the control answers EM_GETSEL, for tests of hosts that misbehave.
struct EditorQuirks {
    bool noSelPointers = false;  // ignores EM_GETSEL's pointer form
    bool truncatingSel = false;  // packs positions past 16 bits truncated, not as -1
};

// What the control starts with; passed as CreateWindowExA's lpParam.
struct EditorInit {
    std::string text;  // code page 932 bytes
    std::uint32_t selStart = 0;
    std::uint32_t selEnd = 0;
    EditorQuirks quirks;
};

bool RegisterEditorClass(HINSTANCE instance);

// The control's bytes, for saving (same process only).
std::string EditorText(HWND editor);

}  // namespace standin
