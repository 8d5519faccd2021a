#pragma once
// A host editor in memory: one top-level window with one edit control that
// holds ANSI bytes and a selection, answering like the real one (the packed
// EM_GETSEL value is -1 past 16 bits) unless a test makes it misbehave.
// Every call is logged, so a test can tell that nothing reached the host.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/HostEditor.h"

namespace mq::test {

class FakeHostEditor final : public HostEditorPort {
public:
    static constexpr WindowHandle kHost = 0x100;
    static constexpr WindowHandle kEdit = 0x200;
    static constexpr WindowHandle kOther = 0x300;

    WindowHandle GetForegroundWindow() override {
        log.push_back("GetForegroundWindow");
        return foreground;
    }
    WindowHandle FindChildByClass(WindowHandle parent, const char* className) override {
        log.push_back("FindChildByClass");
        return hasEdit && parent == kHost && std::string(className) == "TEditor" ? kEdit : 0;
    }
    std::intptr_t GetTextLength(WindowHandle edit) override {
        log.push_back("GetTextLength");
        return edit == kEdit ? static_cast<std::intptr_t>(text.size()) : 0;
    }
    std::string GetText(WindowHandle edit, std::size_t length) override {
        log.push_back("GetText");
        std::string buffer(length, '\0');
        if (edit == kEdit) buffer.replace(0, std::min(length, text.size()), text, 0, length);
        return buffer;
    }
    std::uint32_t GetSelectionPacked(WindowHandle edit) override {
        log.push_back("GetSelectionPacked");
        if (edit != kEdit) return 0;
        if (packedOverride) return *packedOverride;
        if (truncating) return (selStart & 0xFFFFu) | (selEnd & 0xFFFFu) << 16;
        if (selStart > 0xFFFFu || selEnd > 0xFFFFu) return 0xFFFFFFFFu;
        return selStart | selEnd << 16;
    }
    void GetSelectionPointers(WindowHandle edit, std::uint32_t& start, std::uint32_t& end) override {
        log.push_back("GetSelectionPointers");
        if (edit != kEdit) return;
        if (!fillsPointers) {
            // What reaches the caller of another process: zeros, not its presets.
            if (zeroesUnfilledPointers) start = end = 0;
            return;
        }
        start = selStart;
        end = selEnd;
    }
    void ReplaceSelection(WindowHandle edit, const std::string& ansiBytes) override {
        log.push_back("ReplaceSelection");
        if (edit != kEdit) return;
        text.replace(selStart, selEnd - selStart, ansiBytes);
        selStart = selEnd = selStart + static_cast<std::uint32_t>(ansiBytes.size());
    }
    void SetForegroundWindow(WindowHandle window) override {
        log.push_back("SetForegroundWindow");
        foreground = window;
        foregroundSets.push_back(window);
    }
    WindowIdentity Identify(WindowHandle window) override {
        log.push_back("Identify");
        if (window == kHost) return hostIdentity;
        if (window == kEdit && hasEdit) return editIdentity;
        return {};
    }

    std::string text;
    std::uint32_t selStart = 0;
    std::uint32_t selEnd = 0;
    bool hasEdit = true;
    bool fillsPointers = true;
    bool zeroesUnfilledPointers = false;
    bool truncating = false;
    std::optional<std::uint32_t> packedOverride;
    WindowHandle foreground = kHost;
    // Whose the two windows are; a test changes one to stand for a handle
    // that the system has since given to another window.
    WindowIdentity hostIdentity{"TTeraPadMainForm", 40, 41};
    WindowIdentity editIdentity{"TEditor", 40, 41};

    std::vector<std::string> log;
    std::vector<WindowHandle> foregroundSets;
};

}  // namespace mq::test
