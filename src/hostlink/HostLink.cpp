#include "hostlink/HostLink.h"

namespace mq {

std::string InsertBefore;
std::string InsertAfter;

namespace {

constexpr std::uint32_t kUnfilled = 0xFFFFFFFFu;
constexpr std::uint32_t kPackedOverflow = 0xFFFFFFFFu;  // EM_GETSEL's -1

const char* const kNoHostMessage =
    "TeraPadを発見できませんでした。\r\nTeraPadへの送信は実行できません。";
const char* const kSelectionUnreadableMessage =
    "TeraPadの選択範囲を正しく読み取れませんでした。\r\n"
    "文書を守るため、挿入は行いませんでした。";

}  // namespace

std::optional<HostSelection> ResolveSelection(std::uint32_t packed, bool pointersFilled,
                                              std::uint32_t ptrStart, std::uint32_t ptrEnd,
                                              std::size_t textLength) {
    HostSelection sel;
    // Across processes the pointers come back zeroed, not as preset, from a
    // host that ignores them. Zeros cannot be told from a real caret at the
    // start, so they count as no answer: in a short text the packed value
    // says the same exactly, in a long one a host that cuts 65,536 to 0
    // would otherwise have the text inserted at the very start.
    if (pointersFilled && ptrStart == 0 && ptrEnd == 0) pointersFilled = false;
    if (pointersFilled) {
        sel = {ptrStart, ptrEnd};
        // The packed answer must tell the same story where it can: -1 is
        // what Windows answers past 16 bits (and, honestly, for 65535/65535),
        // so with -1 a position must lie there; anything else must be the
        // low words of the full positions.
        const bool beyond16Bits =
            ptrStart > 0xFFFFu || ptrEnd > 0xFFFFu || (ptrStart == 0xFFFFu && ptrEnd == 0xFFFFu);
        const bool packedAgrees =
            packed == kPackedOverflow
                ? beyond16Bits
                : (packed & 0xFFFFu) == (ptrStart & 0xFFFFu) && (packed >> 16) == (ptrEnd & 0xFFFFu);
        if (!packedAgrees) return std::nullopt;
    } else {
        sel = {packed & 0xFFFFu, packed >> 16};
        // Without the pointer form nothing tells -1 or a host's low words
        // from a real position once the text can hold positions past 16
        // bits (a selection at 70,000 packs as 4,464).
        if (textLength > 0xFFFFu) return std::nullopt;
    }
    if (sel.start > sel.end || sel.end > textLength) return std::nullopt;
    return sel;
}

std::string SpliceSelection(const AnsiCodePage& codePage, const std::string& before,
                            std::string_view selectedBytes, const std::string& after) {
    std::string bytes = codePage.FromUtf8(before);
    bytes.append(selectedBytes);
    bytes += codePage.FromUtf8(after);
    return bytes;
}

HostLink::HostLink(HostEditorPort& host, const AnsiCodePage& codePage, MessagePort& messages)
    : host_(host), codePage_(codePage), messages_(messages) {}

void HostLink::FindHostEditor() {
    hostWindow_ = host_.GetForegroundWindow();
    hostEdit_ = host_.FindChildByClass(hostWindow_, kHostEditClass);
    hostWindowId_ = host_.Identify(hostWindow_);
    hostEditId_ = host_.Identify(hostEdit_);
}

bool HostLink::StillCaptured(WindowHandle window, const WindowIdentity& captured) {
    // After the editor has closed, the system may give the same handle to
    // another program's window: the class, process and thread must match.
    return window != 0 && !captured.className.empty() && host_.Identify(window) == captured;
}

void HostLink::StartupCheck(WindowHandle owner) {
    if (hostEdit_ == 0) {
        messages_.Show(owner, kNoHostMessage, kProgramTitle, MessagePort::Icon::Warning,
                       MessagePort::Buttons::Ok);
    }
}

std::optional<std::string> HostLink::GetHostSelection(WindowHandle edit) {
    auto bytes = GetHostSelectionBytes(edit);
    if (!bytes) return std::nullopt;
    return codePage_.ToUtf8(*bytes);
}

std::optional<std::string> HostLink::GetHostSelectionBytes(WindowHandle edit) {
    std::intptr_t reported = host_.GetTextLength(edit);
    std::size_t length = reported > 0 ? static_cast<std::size_t>(reported) : 0;
    std::string text;
    try {
        text = host_.GetText(edit, length);
    } catch (const std::bad_alloc&) {
        // A length we cannot hold cannot be cut exactly either.
        return std::nullopt;
    }
    text.resize(length, '\0');

    std::uint32_t packed = host_.GetSelectionPacked(edit);
    std::uint32_t ptrStart = kUnfilled, ptrEnd = kUnfilled;
    host_.GetSelectionPointers(edit, ptrStart, ptrEnd);
    const bool filled = !(ptrStart == kUnfilled && ptrEnd == kUnfilled);

    auto sel = ResolveSelection(packed, filled, ptrStart, ptrEnd, length);
    if (!sel) return std::nullopt;
    std::string selected = text.substr(sel->start, sel->end - sel->start);
    // The host's text holds no NUL: one here means the text read was shorter
    // than the length reported, so the cut is not what the host holds (and
    // EM_REPLACESEL would end the replacement there).
    if (selected.find('\0') != std::string::npos) return std::nullopt;
    return selected;
}

void HostLink::ReplaceHostSelection(WindowHandle edit, const std::string& text) {
    ReplaceHostSelectionBytes(edit, codePage_.FromUtf8(text));
}

void HostLink::ReplaceHostSelectionBytes(WindowHandle edit, const std::string& ansiBytes) {
    host_.ReplaceSelection(edit, ansiBytes);
}

void HostLink::RefocusHost() {
    if (!StillCaptured(hostWindow_, hostWindowId_)) return;
    if (host_.GetForegroundWindow() != hostWindow_) host_.SetForegroundWindow(hostWindow_);
}

void HostLink::InsertIntoHost() {
    if (InsertBefore.empty()) return;
    // As for a closed host: nothing is read, written or brought to the front.
    if (hostEdit_ != 0 && !StillCaptured(hostEdit_, hostEditId_)) return;
    auto sel = GetHostSelectionBytes(hostEdit_);
    if (!sel) {
        messages_.Show(owner_, kSelectionUnreadableMessage, kProgramTitle,
                       MessagePort::Icon::Warning, MessagePort::Buttons::Ok);
        RefocusHost();
        return;
    }
    ReplaceHostSelectionBytes(hostEdit_, SpliceSelection(codePage_, InsertBefore, *sel, InsertAfter));
    RefocusHost();
}

}  // namespace mq
