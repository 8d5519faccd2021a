// The profile reader and writer on arbitrary file bytes and names.
//
// Input: section, key and value, each ended by a 0x1E byte, then the
// file's bytes. Beyond "no crash, no hang", it checks what callers rely
// on: a written value reads back, values of other keys do not move, a
// second identical write changes nothing, and the file on disk holds
// exactly what the in-memory writer produced.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "platform/posix/PosixProfile.h"

namespace {

namespace fs = std::filesystem;
using mq::profile::FindValue;
using mq::profile::WithValue;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "profile_fuzz: %s\n", what);
        std::abort();
    }
}

bool Field(std::string_view& in, std::string_view& out) {
    const std::size_t end = in.find('\x1e');
    if (end == std::string_view::npos) return false;
    out = in.substr(0, end);
    in.remove_prefix(end + 1);
    return true;
}

// Names that read back as written: ASCII letters and digits only.
bool Plain(std::string_view s) {
    if (s.empty() || s.size() > 32) return false;
    for (char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

// What reading a written value gives back.
std::string_view AsRead(std::string_view v) {
    v = v.substr(0, v.find('\0'));
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

fs::path scratch;

void RemoveScratch() {
    std::error_code ec;
    fs::remove_all(scratch, ec);
}

const fs::path& Scratch() {
    if (!scratch.empty()) return scratch;
    scratch = [] {
        // Memory-backed when there is one: the writer syncs every file.
        std::error_code ec;
        const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                                : fs::temp_directory_path();
        fs::path d = base / ("mq-profile-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(d);
        return d;
    }();
    std::atexit(RemoveScratch);
    return scratch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::string_view section, key, value;
    if (!Field(in, section) || !Field(in, key) || !Field(in, value)) {
        // Just a file: look up a few names.
        for (const char* s : {"Marquill", "s", ""}) (void)FindValue(in, s, "TopMost");
        return 0;
    }
    const std::string_view text = in;

    if (const auto v = FindValue(text, section, key)) {
        Check(v->data() >= text.data() && v->data() + v->size() <= text.data() + text.size(),
              "a value must lie inside the file");
    }

    const auto out = WithValue(text, section, key, value);
    const bool plain = Plain(section) && Plain(key) &&
                       value.find_first_of("\r\n") == std::string_view::npos &&
                       !mq::profile::IsUtf16(text);
    if (plain) Check(out.has_value(), "a plain write must not be refused");
    if (!out) return 0;

    if (plain) {
        const auto back = FindValue(*out, section, key);
        Check(back.has_value() && *back == AsRead(value), "a written value must read back");
        // Another key of the same or another section keeps its value.
        for (std::string_view other : {"Marquill", "s", "TopMost"}) {
            if (SameAscii(other, key)) continue;
            Check(FindValue(text, section, other) == FindValue(*out, section, other),
                  "other keys of the section must keep their values");
            if (!SameAscii(other, section))
                Check(FindValue(text, other, key) == FindValue(*out, other, key),
                      "other sections must keep their values");
        }
        const std::string_view v = value.substr(0, value.find('\0'));
        if (v.empty() || (v.front() != ' ' && v.front() != '\t')) {
            const auto again = WithValue(*out, section, key, value);
            Check(again.has_value() && *again == *out, "writing the same value twice changes nothing");
        }
    }

    // The file writer, for one input in 32: the same bytes must land on disk.
    if (!text.empty() && (static_cast<unsigned char>(text.back()) & 31) == 0) {
        const fs::path file = Scratch() / "f.ini";
        {
            std::ofstream f(file, std::ios::binary | std::ios::trunc);
            f.write(text.data(), static_cast<std::streamsize>(text.size()));
        }
        mq::PosixProfileFile profile;
        const bool ok = profile.WriteString(section, key, value, file.string());
        std::ifstream f(file, std::ios::binary);
        const std::string disk((std::istreambuf_iterator<char>(f)), {});
        Check(ok ? disk == *out : disk == text, "the file must hold the new bytes or the old");
        const auto r = profile.GetString(section, key, "", 256, file.string());
        Check(r.count <= 255 && r.bytes.size() == r.count, "a read fits its buffer");
    }
    return 0;
}
