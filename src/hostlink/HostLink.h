#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/HostEditor.h"
#include "platform/Ui.h"

namespace mq {

// The two texts a tag dialog leaves behind when it closes: what goes in
// front of the host's selection and what goes behind it. Process-wide, as
// the dialogs and the palette never meet otherwise; an empty InsertBefore
// means there is nothing to insert.
extern std::string InsertBefore;
extern std::string InsertAfter;

inline constexpr const char* kProgramTitle = "Marquill";
inline constexpr const char* kHostEditClass = "TEditor";

// Where the host's selection lies, in bytes of its ANSI text.
struct HostSelection {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};

// Reads the selection bounds from the two answers of EM_GETSEL and the text
// length, or nothing when they cannot be trusted.
//
// The packed answer only holds 16 bits a side, so past 64 KiB it is -1 (or,
// from a careless host, the low words) and cutting by it would pick the
// wrong bytes; the pointer form carries full positions. A host that leaves
// the pointers unfilled (as preset, or zeroed by the transport) has given
// no pointer answer: its packed value is trusted only while the whole text
// fits in 16 bits. Whatever the source, the bounds must satisfy
// start <= end <= length.
std::optional<HostSelection> ResolveSelection(std::uint32_t packed, bool pointersFilled,
                                              std::uint32_t ptrStart, std::uint32_t ptrEnd,
                                              std::size_t textLength);

// What replaces the host's selection: the two composed texts in the host's
// code page around the selection's own bytes, which go back untouched (a
// round trip through Unicode would change characters the code page holds
// twice and turn broken bytes into "・").
std::string SpliceSelection(const AnsiCodePage& codePage, const std::string& before,
                            std::string_view selectedBytes, const std::string& after);

// The palette's connection to the host editor: captured once at start-up,
// then used after every tag dialog.
class HostLink {
public:
    HostLink(HostEditorPort& host, const AnsiCodePage& codePage, MessagePort& messages);

    // Takes the foreground window as the host and its first direct
    // "TEditor" child as the edit control, and notes whose they are. Runs
    // once, before the palette is shown, while the editor that launched it
    // is still in front.
    void FindHostEditor();
    // Warns once when no edit control was found; the run goes on unbound.
    void StartupCheck(WindowHandle owner);

    // The selected text, UTF-8, or nothing when the selection cannot be
    // read exactly (then the host must not be touched).
    std::optional<std::string> GetHostSelection(WindowHandle edit);
    // The selection's bytes as the host holds them, on the same terms.
    std::optional<std::string> GetHostSelectionBytes(WindowHandle edit);
    void ReplaceHostSelection(WindowHandle edit, const std::string& text);
    // Sends bytes already in the host's code page.
    void ReplaceHostSelectionBytes(WindowHandle edit, const std::string& ansiBytes);
    // Brings the captured host window back to the front, unless it is
    // there already or is no longer the captured window.
    void RefocusHost();
    // Wraps the host's selection in InsertBefore and InsertAfter. An edit
    // control that has gone, or whose handle now names someone else's
    // window, is neither read nor written.
    void InsertIntoHost();

    WindowHandle HostWindow() const { return hostWindow_; }
    WindowHandle HostEdit() const { return hostEdit_; }

    // Owner of the warning boxes (the palette); 0 until it exists.
    void SetOwner(WindowHandle owner) { owner_ = owner; }

private:
    HostEditorPort& host_;
    const AnsiCodePage& codePage_;
    MessagePort& messages_;
    bool StillCaptured(WindowHandle window, const WindowIdentity& captured);

    WindowHandle hostWindow_ = 0;
    WindowHandle hostEdit_ = 0;
    WindowIdentity hostWindowId_;
    WindowIdentity hostEditId_;
    WindowHandle owner_ = 0;
};

}  // namespace mq
