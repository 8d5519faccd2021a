// Tag templates: the file format, its expansion, the library folder and its
// listing, over real files (portable profile reader, code page 932).
#include <gtest/gtest.h>

#include <filesystem>

#include "contract/PortableProfileTests.h"
#include "contract/ProfileContract.h"
#include "platform/posix/Cp932.h"
#include "platform/posix/PosixProfile.h"
#include "support/DiskFileSystem.h"
#include "support/LinkTemplate.h"
#include "templates/TagTemplate.h"

namespace mq::test {
namespace {

TagTemplate Tpl(std::string index, std::string base = {}, std::string e1 = {},
                std::string e2 = {}, std::string e3 = {}) {
    TagTemplate t;
    t.Index = std::move(index);
    t.BaseElement = std::move(base);
    t.Element1 = std::move(e1);
    t.Element2 = std::move(e2);
    t.Element3 = std::move(e3);
    return t;
}

TEST(ExpandTemplate, PartsFollowIndexUpToTheFirstOtherCharacter) {
    EXPECT_EQ(ExpandTemplate(Tpl("B", "BR"), "", "", ""), "<BR>");
    EXPECT_EQ(ExpandTemplate(Tpl(""), "a", "b", "c"), "<>");
    EXPECT_EQ(ExpandTemplate(TagTemplate{}, "", "", ""), "<>");
    EXPECT_EQ(ExpandTemplate(Tpl("B12", "A", "TASK=", "DEST="), "GO", "#top", ""),
              R"(<A TASK="GO" DEST="#top">)");
    // The scan stops at "x": the second value is never written.
    EXPECT_EQ(ExpandTemplate(Tpl("B1x2", "A", "K=", "L="), "v", "w", ""), R"(<A K="v">)");
    EXPECT_EQ(ExpandTemplate(Tpl("11", "", "K="), "v", "", ""), R"(<K="v" K="v">)");
    EXPECT_EQ(ExpandTemplate(Tpl("21B", "E", "K=", "L="), "v", "w", ""), R"(<L="w" K="v" E>)");
    // Exact: lower case, a space or a digit out of range ends it too.
    EXPECT_EQ(ExpandTemplate(Tpl("b1", "E", "K="), "v", "", ""), "<>");
    EXPECT_EQ(ExpandTemplate(Tpl("B 1", "E", "K="), "v", "", ""), "<E>");
    EXPECT_EQ(ExpandTemplate(Tpl("B41", "E", "K="), "v", "", ""), "<E>");
    EXPECT_EQ(ExpandTemplate(Tpl("3", "", "", "", "Z="), "", "", "z"), R"(<Z="z">)");
}

TEST(ExpandTemplate, OnlySpacesAtTheVeryEndOfTheTagGo) {
    // A value's own trailing spaces sit inside its quotes and stay.
    EXPECT_EQ(ExpandTemplate(Tpl("B1", "E", "K="), "v  ", "", ""), R"(<E K="v  ">)");
    EXPECT_EQ(ExpandTemplate(Tpl("B", "BR   "), "", "", ""), "<BR>");
    EXPECT_EQ(ExpandTemplate(Tpl("B", "BR\t"), "", "", ""), "<BR\t>");
    EXPECT_EQ(ExpandTemplate(Tpl("BB", " "), "", "", ""), "<>");
}

TEST(ExpandTemplate, NothingIsValidatedOrEscaped) {
    // Parts with empty names, and values with quotes and brackets.
    EXPECT_EQ(ExpandTemplate(Tpl("123"), "a", "", "c"), R"(<"a" "" "c">)");
    EXPECT_EQ(ExpandTemplate(Tpl("B1", "IMG", "SRC="), R"(a"b<&>)", "", ""),
              R"(<IMG SRC="a"b<&>">)");
    // Not named by Index: not written, whatever its value.
    EXPECT_EQ(ExpandTemplate(Tpl("B1", "E", "K=", "L="), "v", "ignored", "ignored"),
              R"(<E K="v">)");
}

TEST(TemplatePath, OneBackslashBetweenFolderAndName) {
    EXPECT_EQ(TemplatePath("C:\\lib", "a.ktt"), "C:\\lib\\a.ktt");
    EXPECT_EQ(TemplatePath("C:\\", "a.ktt"), "C:\\a.ktt");
    EXPECT_EQ(TemplatePath("\\\\server\\share\\tpl", "リンク.ktt"), "\\\\server\\share\\tpl\\リンク.ktt");
}

TEST(TemplateNameLess, LettersWithoutRegardToCaseThenBytes) {
    std::vector<std::string> names{"b.ktt", "A.ktt", "a.KTT", "_.ktt", "10.ktt", "9.ktt", "あ.ktt", "B.ktt"};
    std::sort(names.begin(), names.end(), TemplateNameLess);
    const std::vector<std::string> want{"10.ktt", "9.ktt", "A.ktt", "a.KTT", "B.ktt",
                                        "b.ktt", "_.ktt", "あ.ktt"};
    EXPECT_EQ(names, want);
    // The same order as sort keys, a name that starts another one first.
    const TemplateNameOrder order;
    names.insert(names.end(), {"a", "B"});
    std::sort(names.begin(), names.end(),
              [&](const auto& x, const auto& y) { return order.SortKey(x) < order.SortKey(y); });
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), TemplateNameLess));
    EXPECT_EQ(names.front(), "10.ktt");
    EXPECT_EQ(names[2], "a");
}

// Files in a temporary folder, read through the portable profile reader.
class TemplateFiles : public ::testing::Test {
protected:
    void Write(std::string_view name, std::string_view utf8) { tmp.Put(name, cp.FromUtf8(utf8)); }
    TagTemplate Load(std::string_view name) { return LoadTemplate(profile, cp, tmp.Path(name)); }

    TempFolder tmp;
    PosixProfileFile profile;
    Cp932CodePage cp;
};

const std::string_view kLinkExample = kLinkTemplate;

TEST_F(TemplateFiles, TheLinkExampleLoadsAndExpands) {
    Write("link.ktt", kLinkExample);
    const TagTemplate t = Load("link.ktt");
    EXPECT_EQ(t.TagName, "リンク");
    EXPECT_EQ(t.Edited, "");
    EXPECT_EQ(t.Index, "B12");
    EXPECT_EQ(t.BaseElement, "A");
    EXPECT_EQ(t.Element1, "TASK=");
    EXPECT_EQ(t.Element2, "DEST=");
    EXPECT_EQ(t.Element3, "");
    EXPECT_EQ(t.Element1Default, "GO");
    EXPECT_EQ(t.Element2Default, "#top");
    EXPECT_EQ(t.Element3Default, "");
    EXPECT_EQ(t.CloseTag, "</A>");
    EXPECT_EQ(ExpandTemplate(t, t.Element1Default, t.Element2Default, t.Element3Default),
              R"(<A TASK="GO" DEST="#top">)");
}

TEST_F(TemplateFiles, AllElevenKeysAndTheReaderRulesOfTheSettingsFile) {
    Write("all.ktt",
          "; made by hand\r\n"
          "[other]\r\nTagName=wrong\r\n"
          "[kestreltagtemplete]\r\n"
          "  tagname = 太字  \r\n"
          "EDITED=\"作者\"\r\n"
          "Index=B123\r\nBaseElement=B\r\n"
          "Element1=a=\r\nElement2=b=\r\nElement3=c=\r\n"
          "Element1Default=1\r\nElement2Default=2\r\nElement3Default=3\r\n"
          "CloseTag=</B>\r\n"
          "TagName=second wins not\r\n"
          "[KestrelTagTemplete]\r\nEdited=later section ignored\r\n");
    const TagTemplate t = Load("all.ktt");
    EXPECT_EQ(t.TagName, "太字");
    EXPECT_EQ(t.Edited, "作者");
    EXPECT_EQ(ExpandTemplate(t, t.Element1Default, t.Element2Default, t.Element3Default),
              R"(<B a="1" b="2" c="3">)");
    EXPECT_EQ(t.CloseTag, "</B>");
}

TEST_F(TemplateFiles, UnreadableOrForeignFilesGiveAnEmptyTemplate) {
    EXPECT_EQ(Load("missing.ktt"), TagTemplate{});
    tmp.Put("empty.ktt", "");
    EXPECT_EQ(Load("empty.ktt"), TagTemplate{});
    tmp.Put("nosection.ktt", "TagName=x\r\nIndex=B\r\nBaseElement=BR\r\n");
    EXPECT_EQ(Load("nosection.ktt"), TagTemplate{});
    tmp.Put("othersection.ktt", "[Kestrel]\r\nTagName=x\r\n");
    EXPECT_EQ(Load("othersection.ktt"), TagTemplate{});
    std::filesystem::create_directory(tmp.dir() / "folder.ktt");
    EXPECT_EQ(Load("folder.ktt"), TagTemplate{});
    // UTF-16 is not the format: nothing comes out of it.
    tmp.Put("utf16.ktt", std::string("\xFF\xFE[\0K\0", 6));
    EXPECT_EQ(Load("utf16.ktt"), TagTemplate{});
    EXPECT_EQ(ExpandTemplate(Load("missing.ktt"), "a", "b", "c"), "<>");
}

TEST_F(TemplateFiles, BinaryAndHugeFilesLoadWithoutHarm) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        const std::string noise = Noise(2048, seed);
        const std::string name = "n" + std::to_string(seed) + ".ktt";
        const std::string bytes = "[KestrelTagTemplete]\r\nIndex=B1\r\n" + noise;
        tmp.Put(name, bytes);
        const TagTemplate t = Load(name);
        EXPECT_EQ(t.Index, "B1") << seed;
        EXPECT_TRUE(ExpandTemplate(t, "v", "", "").ends_with("\"v\">")) << seed;
        EXPECT_EQ(tmp.Bytes(name), bytes);
    }
    // 8 MB of one line, then the keys.
    tmp.Put("huge.ktt", "[KestrelTagTemplete]\r\nElement1=" + std::string(8u << 20, 'x') +
                            "\r\nIndex=B1\r\nBaseElement=E\r\n");
    const TagTemplate t = Load("huge.ktt");
    EXPECT_EQ(t.Element1, std::string(255, 'x'));
    EXPECT_EQ(ExpandTemplate(t, "v", "", ""), "<E " + std::string(255, 'x') + "\"v\">");
}

TEST_F(TemplateFiles, LongValuesAreCutAfter255BytesEvenInsideACharacter) {
    // 128 double-byte characters are 256 bytes: the cut leaves a lone lead
    // byte, read as the code page reads it.
    std::string kana;
    for (int i = 0; i < 128; ++i) kana += "あ";
    Write("long.ktt", "[KestrelTagTemplete]\r\nTagName=" + kana + "\r\nCloseTag=" +
                          std::string(300, 'c') + "\r\n");
    const TagTemplate t = Load("long.ktt");
    std::string cut;
    for (int i = 0; i < 127; ++i) cut += "あ";
    EXPECT_EQ(t.TagName, cut + "・");
    EXPECT_EQ(t.CloseTag, std::string(255, 'c'));
}

TEST_F(TemplateFiles, Utf8FilesReadAsWrittenAndOtherFilesAsCodePage932) {
    const std::string head = "[KestrelTagTemplete]\r\n";
    const std::string named = head + "TagName=画像の説明\r\nEdited=作者\r\n";
    const auto kana = [](int n) { std::string s; while (n-- > 0) s += "あ"; return s; };
    const struct { const char* what; std::string bytes, tagName, edited; } cases[] = {
        {"mark", "\xEF\xBB\xBF" + named, "画像の説明", "作者"},
        {"no mark", named, "画像の説明", "作者"},
        {"code page 932", cp.FromUtf8(named), "画像の説明", "作者"},
        // "ﾃｽ" is C3 BD, well-formed UTF-8; "ﾄ" (C4) before the CR is not.
        {"932, UTF-8 in part", cp.FromUtf8(head + "TagName=ﾃｽﾄ\r\nEdited=ﾃｽ\r\n"), "ﾃｽﾄ", "ﾃｽ"},
        {"beyond the code page", head + "TagName=한글😀\r\n", "한글😀", ""},
        // "あ" ends in 82, a lead byte in code page 932: the "]" still counts.
        {"section ends ours", head + "TagName=y\r\n[あ]\r\nEdited=z\r\n", "y", ""},
        {"mark, then no UTF-8", "\xEF\xBB\xBF" + head + "TagName=a\xFF" "b\r\n", "a\uFFFDb", ""},
        // 255 bytes in code page 932, cut between characters.
        {"long", head + "TagName=x" + kana(200) + "\r\nEdited=" + std::string(300, 'c'),
         "x" + kana(127), std::string(255, 'c')},
    };
    for (const auto& c : cases) {
        tmp.Put("t.ktt", c.bytes);
        const TagTemplate t = Load("t.ktt");
        EXPECT_EQ(std::pair(t.TagName, t.Edited), std::pair(c.tagName, c.edited)) << c.what;
    }
    tmp.Put("utf8.ktt", "\xEF\xBB\xBF" + std::string(kLinkExample));
    Write("link.ktt", kLinkExample);
    EXPECT_EQ(Load("utf8.ktt"), Load("link.ktt")) << "all eleven keys";
}

TEST_F(TemplateFiles, LoadingNeverWritesTheFile) {
    Write("link.ktt", kLinkExample);
    const auto before = std::filesystem::last_write_time(tmp.dir() / "link.ktt");
    for (int i = 0; i < 3; ++i) (void)Load("link.ktt");
    EXPECT_EQ(tmp.Bytes("link.ktt"), cp.FromUtf8(kLinkExample));
    EXPECT_EQ(std::filesystem::last_write_time(tmp.dir() / "link.ktt"), before);
    EXPECT_EQ(tmp.Entries(), 1u);
}

class Library : public TemplateFiles {
protected:
    void SetUp() override {
        std::filesystem::create_directory(tmp.dir() / "app");
        files.applicationFolder = tmp.Path("app");
    }
    std::string Resolve() { return ResolveLibraryFolder(ports); }
    std::string Settings() { return cp.ToUtf8(tmp.Bytes("app/MARQ.ini")); }

    DiskFileSystem files;
    TemplateNameOrder order;
    TemplatePorts ports{profile, cp, files, order};
};

TEST_F(Library, AnEmptySettingBecomesTheProgramsFolder) {
    EXPECT_EQ(Resolve(), tmp.Path("app"));
    EXPECT_EQ(Settings(), "[Marquill]\r\nTempleteLib=" + tmp.Path("app") + "\r\n");

    tmp.Put("app/MARQ.ini", "[Marquill]\r\nTopMost=0\r\nTempleteLib=\r\n");
    EXPECT_EQ(Resolve(), tmp.Path("app"));
    EXPECT_EQ(Settings(), "[Marquill]\r\nTopMost=0\r\nTempleteLib=" + tmp.Path("app") + "\r\n");
}

TEST_F(Library, AnExistingFolderIsKeptAndNothingIsWritten) {
    std::filesystem::create_directory(tmp.dir() / "ライブラリ");
    const std::string lib = tmp.Path("ライブラリ");
    Write("app/MARQ.ini", "[Marquill]\r\nTempleteLib=" + lib + "\r\nTopMost=1\r\n");
    const std::string before = tmp.Bytes("app/MARQ.ini");
    EXPECT_EQ(Resolve(), lib);
    EXPECT_EQ(tmp.Bytes("app/MARQ.ini"), before);
}

TEST_F(Library, AMissingFolderOrAFileIsReplacedByTheProgramsFolder) {
    Write("app/MARQ.ini", "[Marquill]\r\nTopMost=0\r\nTempleteLib=" + tmp.Path("gone") + "\r\n");
    EXPECT_EQ(Resolve(), tmp.Path("app"));
    EXPECT_EQ(Settings(), "[Marquill]\r\nTopMost=0\r\nTempleteLib=" + tmp.Path("app") + "\r\n");

    // A file is no library: it could never list a template.
    Write("link.ktt", kLinkExample);
    Write("app/MARQ.ini", "[Marquill]\r\nTempleteLib=" + tmp.Path("link.ktt") + "\r\n");
    EXPECT_EQ(Resolve(), tmp.Path("app"));
    EXPECT_EQ(Settings(), "[Marquill]\r\nTempleteLib=" + tmp.Path("app") + "\r\n");
    EXPECT_EQ(tmp.Bytes("link.ktt"), cp.FromUtf8(kLinkExample));
}

TEST_F(Library, AnUnwritableSettingsFileStillGivesAFolder) {
    // The program's folder is gone, so MARQ.ini cannot be written at all.
    files.applicationFolder = tmp.Path("no-such-app");
    EXPECT_EQ(Resolve(), tmp.Path("no-such-app"));
    EXPECT_FALSE(tmp.Exists("no-such-app"));
}

TEST_F(Library, ListingIsCaseBlindSortedAndSkipsOtherEntries) {
    for (const char* name : {"b.ktt", "A.KTT", "c.Ktt", "x.txt", "x.ktt.bak", "x.kttx", "ktt",
                             "hidden.ktt", ".ktt", "テスト😀.ktt", "café.ktt"}) {
        tmp.Put(name, "");
    }
    std::filesystem::create_directory(tmp.dir() / "sub.ktt");
    std::filesystem::create_directory(tmp.dir() / "sub");
    tmp.Put("sub/inner.ktt", "");
    files.hidden = {"hidden.ktt"};
    EXPECT_EQ(ListTemplates(files, order, cp, tmp.dir().string()),
              (std::vector<std::string>{".ktt", "A.KTT", "b.ktt", "c.Ktt"}));
}

TEST_F(Library, NoFolderNoTemplates) {
    EXPECT_TRUE(ListTemplates(files, order, cp, tmp.Path("gone")).empty());
    EXPECT_TRUE(ListTemplates(files, order, cp, "").empty());
    EXPECT_EQ(files.listings, 1) << "an empty folder path is not listed at all";
    std::filesystem::create_directory(tmp.dir() / "none");
    EXPECT_TRUE(ListTemplates(files, order, cp, tmp.Path("none")).empty());
}

TEST_F(Library, TenThousandTemplatesAreListedInOrder) {
    std::filesystem::create_directory(tmp.dir() / "many");
    for (int i = 0; i < 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "many/t%05d.ktt", 9999 - i);
        tmp.Put(name, "");
    }
    const auto names = ListTemplates(files, order, cp, tmp.Path("many"));
    ASSERT_EQ(names.size(), 10000u);
    EXPECT_EQ(names.front(), "t00000.ktt");
    EXPECT_EQ(names.back(), "t09999.ktt");
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), TemplateNameLess));
}

}  // namespace
}  // namespace mq::test
