#include "settings/INIAccessGlobal.h"

namespace mq {
namespace {
constexpr std::size_t kBufferSize = 256;
}

bool INIAccessGlobal::TakeSection(std::string_view strSection) {
    if (!strSection.empty()) Section = strSection;
    return !Section.empty();
}

std::string INIAccessGlobal::GetINIData(std::string_view strSection, std::string_view strKey) {
    if (!TakeSection(strSection)) return {};
    fileNameInUse_ = FileName;
    if (fileNameInUse_.empty()) return {};
    const ProfileFile::Read r = profile_.GetString(codePage_.FromUtf8(Section),
                                                   codePage_.FromUtf8(strKey), "", kBufferSize,
                                                   fileNameInUse_);
    if (r.count == 0) return {};
    const std::string_view bytes(r.bytes);
    return codePage_.ToUtf8(bytes.substr(0, bytes.find('\0')));
}

bool INIAccessGlobal::SetINIData(std::string_view strSection, std::string_view strKey,
                                 std::string_view strData) {
    if (!TakeSection(strSection)) return false;
    fileNameInUse_ = FileName;
    if (fileNameInUse_.empty()) return false;
    return profile_.WriteString(codePage_.FromUtf8(Section), codePage_.FromUtf8(strKey),
                                codePage_.FromUtf8(strData), fileNameInUse_);
}

std::string WithTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != '\\') out.push_back('\\');
    return out;
}

}  // namespace mq
