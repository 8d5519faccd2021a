#include "platform/posix/Cp932.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "platform/Utf.h"

namespace mq {
namespace {

constexpr char32_t kNone = 0xFFFFFFFF;
constexpr char32_t kBrokenDouble = 0x30FB;  // what Windows reads for a broken pair

bool IsLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Windows' best-fit choices for characters code page 932 lacks but can
// approximate; everything else the code page lacks becomes "?".
char BestFit(char32_t cp) {
    switch (cp) {
    case 0x00A5: return '\\';  // yen sign: the backslash key on Japanese keyboards
    case 0x00A6: return '|';
    case 0x00A9: return 'c';
    case 0x00AA: return 'a';
    case 0x00AD: return '-';
    case 0x00AE: return 'R';
    case 0x00B2: return '2';
    case 0x00B3: return '3';
    case 0x00B9: return '1';
    case 0x00BA: return 'o';
    case 0x00C0: case 0x00C1: case 0x00C2: case 0x00C3: case 0x00C4: case 0x00C5: return 'A';
    case 0x00C7: return 'C';
    case 0x00C8: case 0x00C9: case 0x00CA: case 0x00CB: return 'E';
    case 0x00CC: case 0x00CD: case 0x00CE: case 0x00CF: return 'I';
    case 0x00D1: return 'N';
    case 0x00D2: case 0x00D3: case 0x00D4: case 0x00D5: case 0x00D6: case 0x00D8: return 'O';
    case 0x00D9: case 0x00DA: case 0x00DB: case 0x00DC: return 'U';
    case 0x00DD: return 'Y';
    case 0x00E0: case 0x00E1: case 0x00E2: case 0x00E3: case 0x00E4: case 0x00E5: return 'a';
    case 0x00E7: return 'c';
    case 0x00E8: case 0x00E9: case 0x00EA: case 0x00EB: return 'e';
    case 0x00EC: case 0x00ED: case 0x00EE: case 0x00EF: return 'i';
    case 0x00F1: return 'n';
    case 0x00F2: case 0x00F3: case 0x00F4: case 0x00F5: case 0x00F6: case 0x00F8: return 'o';
    case 0x00F9: case 0x00FA: case 0x00FB: case 0x00FC: return 'u';
    case 0x00FD: case 0x00FF: return 'y';
    default: return 0;
    }
}

class Tables {
public:
    static const Tables& Get() {
        static const Tables tables;
        return tables;
    }

    char32_t Single(unsigned char b) const { return single_[b]; }
    char32_t Double(unsigned char lead, unsigned char trail) const {
        return double_[(static_cast<std::size_t>(lead) << 8) | trail];
    }
    const std::string* Encode(char32_t cp) const {
        auto it = encode_.find(cp);
        return it == encode_.end() ? nullptr : &it->second;
    }

private:
    Tables() : double_(65536, kNone) {
        iconv_t dec = iconv_open("UTF-32LE", "CP932");
        iconv_t enc = iconv_open("CP932", "UTF-32LE");
        if (dec == reinterpret_cast<iconv_t>(-1) || enc == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv has no CP932");
        }
        single_.fill(kNone);
        for (unsigned b = 0; b < 0x100; ++b) {
            if (IsLead(static_cast<unsigned char>(b))) continue;
            char in[1] = {static_cast<char>(b)};
            single_[b] = DecodeOne(dec, in, 1);
        }
        // Windows reads these bytes into the private use area; glibc knows none.
        single_[0x80] = 0x80;
        single_[0xA0] = 0xF8F0;
        single_[0xFD] = 0xF8F1;
        single_[0xFE] = 0xF8F2;
        single_[0xFF] = 0xF8F3;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLead(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                char32_t cp = DecodeOne(dec, in, 2);
                double_[(lead << 8) | trail] = cp;
                if (cp != kNone && !encode_.count(cp)) encode_[cp] = EncodeOne(enc, cp);
            }
        }
        for (unsigned b = 0; b < 0x100; ++b) {
            char32_t cp = single_[b];
            if (cp != kNone && b != 0x80 && b != 0xA0 && b < 0xFD) {
                encode_[cp] = std::string(1, static_cast<char>(b));
            }
        }
        iconv_close(dec);
        iconv_close(enc);
    }

    static char32_t DecodeOne(iconv_t cd, char* in, std::size_t len) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char out[8];
        char* ip = in;
        char* op = out;
        std::size_t il = len, ol = sizeof out;
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) || il != 0 ||
            ol != sizeof out - 4) {
            return kNone;
        }
        auto u = reinterpret_cast<unsigned char*>(out);
        return static_cast<char32_t>(u[0] | (u[1] << 8) | (u[2] << 16) | (u[3] << 24));
    }

    static std::string EncodeOne(iconv_t cd, char32_t cp) {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char in[4] = {static_cast<char>(cp & 0xFF), static_cast<char>((cp >> 8) & 0xFF),
                      static_cast<char>((cp >> 16) & 0xFF), static_cast<char>(cp >> 24)};
        char out[8];
        char* ip = in;
        char* op = out;
        std::size_t il = 4, ol = sizeof out;
        if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1)) return "?";
        return std::string(out, sizeof out - ol);
    }

    std::array<char32_t, 256> single_{};
    std::vector<char32_t> double_;
    std::unordered_map<char32_t, std::string> encode_;
};

}  // namespace

std::string Cp932CodePage::ToUtf8(std::string_view ansi) const {
    const Tables& t = Tables::Get();
    std::string out;
    out.reserve(ansi.size() * 3 / 2);
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        const auto b = static_cast<unsigned char>(ansi[i]);
        if (!IsLead(b)) {
            char32_t cp = t.Single(b);
            utf::Append(out, cp == kNone ? kBrokenDouble : cp);
            continue;
        }
        if (i + 1 >= ansi.size()) {
            utf::Append(out, kBrokenDouble);
            break;
        }
        const auto trail = static_cast<unsigned char>(ansi[i + 1]);
        char32_t cp = t.Double(b, trail);
        utf::Append(out, cp == kNone ? kBrokenDouble : cp);
        ++i;
    }
    return out;
}

std::string Cp932CodePage::FromUtf8(std::string_view utf8) const {
    const Tables& t = Tables::Get();
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::size_t before = pos;
        char32_t cp = utf::Next(utf8, pos);
        if (cp < 0x80 && pos == before + 1) {
            out += static_cast<char>(cp);
            continue;
        }
        if (const std::string* bytes = t.Encode(cp)) {
            out += *bytes;
        } else if (char fit = BestFit(cp)) {
            out += fit;
        } else {
            // One "?" per UTF-16 unit, as Windows writes a surrogate pair.
            out += cp >= 0x10000 ? "??" : "?";
        }
    }
    return out;
}

}  // namespace mq
