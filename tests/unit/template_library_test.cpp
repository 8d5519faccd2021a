// The starter library shipped beside the program: every file is code page
// 932 text that loads, names its tag in Japanese and expands to the tag it
// promises.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/posix/Cp932.h"
#include "platform/posix/PosixProfile.h"
#include "support/DiskFileSystem.h"
#include "support/StarterTemplates.h"
#include "templates/TagTemplate.h"

namespace mq::test {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

TEST(StarterLibrary, ListsExactlyTheStarterTemplates) {
    DiskFileSystem files;
    std::vector<std::string> expected;
    for (const auto& [name, _] : StarterTemplates()) expected.push_back(name);
    EXPECT_EQ(ListTemplates(files, TemplateNameOrder{}, Cp932CodePage{}, StarterLibraryFolder().string()), expected);
}

TEST(StarterLibrary, EveryTemplateLoadsAndExpandsWithItsDefaults) {
    PosixProfileFile profile;
    Cp932CodePage cp;
    for (const auto& [name, want] : StarterTemplates()) {
        SCOPED_TRACE(name);
        const fs::path path = StarterLibraryFolder() / name;
        const std::string bytes = Bytes(path);
        ASSERT_FALSE(bytes.empty());
        // Code page 932 through and through, every line ended by CR LF.
        const std::string utf8 = cp.ToUtf8(bytes);
        EXPECT_EQ(cp.FromUtf8(utf8), bytes);
        EXPECT_EQ(utf8.find("・"), std::string::npos);
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at " << i;
            }
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");

        const TagTemplate t = LoadTemplate(profile, cp, path.string());
        EXPECT_EQ(t.TagName, want.tagName);
        EXPECT_EQ(t.Edited, "Marquill");
        EXPECT_EQ(ExpandTemplate(t, t.Element1Default, t.Element2Default, t.Element3Default),
                  want.openingTag);
        EXPECT_EQ(t.CloseTag, want.closeTag);
        // Every part the template describes is named by Index, and Index
        // names nothing else.
        EXPECT_EQ(t.Index.find_first_not_of("B123"), std::string::npos);
        const std::string* elements[] = {&t.Element1, &t.Element2, &t.Element3};
        for (int n = 0; n < 3; ++n) {
            const bool named = t.Index.find(static_cast<char>('1' + n)) != std::string::npos;
            EXPECT_EQ(named, !elements[n]->empty()) << "part " << n + 1;
        }
    }
}

}  // namespace
}  // namespace mq::test
