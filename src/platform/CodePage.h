#pragma once
#include <string>
#include <string_view>

namespace mq {

// The system's ANSI code page (932 on the Japanese systems Marquill is made
// for). Text inside the program is UTF-8; it becomes ANSI bytes only where
// it crosses to the host editor, profile files and shell calls.
//
// Both directions never fail: they follow Windows' conversions at the
// edges (a broken or lone lead byte reads as U+30FB, a character the code
// page lacks writes as "?").
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual std::string ToUtf8(std::string_view ansi) const = 0;
    virtual std::string FromUtf8(std::string_view utf8) const = 0;
};

// True when the ANSI code page spells `text` exactly: a path that the
// profile functions, which take ANSI paths, reach as named, or a value
// that reads back from a profile file as it was written.
inline bool SpelledInCodePage(std::string_view text, const AnsiCodePage& codePage) {
    return codePage.ToUtf8(codePage.FromUtf8(text)) == text;
}

}  // namespace mq
