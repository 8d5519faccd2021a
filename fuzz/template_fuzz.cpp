// Loading and expanding a tag template from arbitrary file bytes.
//
// Input: the three values typed into the dialog, each ended by a 0x1E
// byte, then the template file's bytes. Beyond "no crash, no hang", it
// checks what the dialog relies on: every field is one line of at most 255
// bytes in the code page and well-formed UTF-8, loading the same file twice
// gives the same template, the file is never written, and the expansion is
// one tag with no space before its ">". A file that is well-formed UTF-8
// reads the same with the UTF-8 byte order mark in front, every field
// then at most 255 bytes in the code page: for text that is ASCII only,
// this holds the UTF-8 reading against the code page 932 one.
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

#include "platform/posix/Cp932.h"
#include "platform/Utf.h"
#include "platform/posix/PosixProfile.h"
#include "templates/TagTemplate.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "template_fuzz: %s\n", what);
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

fs::path scratch;

void RemoveScratch() {
    std::error_code ec;
    fs::remove_all(scratch, ec);
}

const fs::path& Scratch() {
    if (!scratch.empty()) return scratch;
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                            : fs::temp_directory_path();
    scratch = base / ("mq-template-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    std::atexit(RemoveScratch);
    return scratch;
}

bool WellFormed(std::string_view s) { return mq::utf::FromUtf16(mq::utf::ToUtf16(s)) == s; }

void Put(const fs::path& p, std::string_view bytes) {
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Bytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in(reinterpret_cast<const char*>(data), size);
    std::string_view v1, v2, v3;
    if (!Field(in, v1) || !Field(in, v2) || !Field(in, v3)) v1 = v2 = v3 = {};
    const std::string_view fileBytes = in;

    const fs::path file = Scratch() / "t.ktt";
    Put(file, fileBytes);
    mq::PosixProfileFile profile;
    mq::Cp932CodePage cp;
    const mq::TagTemplate t = mq::LoadTemplate(profile, cp, file.string());

    for (const std::string* f : {&t.TagName, &t.Edited, &t.Index, &t.BaseElement, &t.Element1,
                                 &t.Element2, &t.Element3, &t.Element1Default, &t.Element2Default,
                                 &t.Element3Default, &t.CloseTag}) {
        Check(f->find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos,
              "a field is one line of text");
        // A cut inside a double-byte character may come back as one
        // two-byte replacement.
        Check(cp.FromUtf8(*f).size() <= 256, "a field is cut after 255 bytes");
        Check(WellFormed(*f), "a field is well-formed UTF-8");
    }
    Check(mq::LoadTemplate(profile, cp, file.string()) == t, "loading again gives the same");
    Check(Bytes(file) == fileBytes, "loading never writes the file");
    Check(std::distance(fs::directory_iterator(Scratch()), fs::directory_iterator()) == 1,
          "loading leaves no other file");

    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (!fileBytes.starts_with(mark) && WellFormed(fileBytes)) {
        const fs::path marked = Scratch() / "m.ktt";
        Put(marked, std::string(mark) + std::string(fileBytes));
        const mq::TagTemplate m = mq::LoadTemplate(profile, cp, marked.string());
        fs::remove(marked);
        Check(m == t, "a UTF-8 file reads the same with the mark");
        for (const std::string* f : {&m.TagName, &m.Edited, &m.Index, &m.BaseElement,
                                     &m.Element1, &m.Element2, &m.Element3, &m.Element1Default,
                                     &m.Element2Default, &m.Element3Default, &m.CloseTag}) {
            Check(cp.FromUtf8(*f).size() <= 255, "a UTF-8 field is cut between characters");
        }
    }

    const std::string tag = mq::ExpandTemplate(t, v1, v2, v3);
    Check(tag.size() >= 2 && tag.front() == '<' && tag.back() == '>', "the expansion is a tag");
    Check(tag.size() == 2 || tag[tag.size() - 2] != ' ', "no space before the closing >");
    const char first = t.Index.empty() ? '\0' : t.Index.front();
    if (first != 'B' && first != '1' && first != '2' && first != '3') {
        Check(tag == "<>", "an Index naming no part expands to <>");
    }
    return 0;
}
