#include "IniFiles32.h"
#include "Errors.h"
#include "ResourceLimit.h"
#include "TempFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <clocale>
#include <fcntl.h>
#include <unistd.h>

using testing::ElementsAre;
using testing::IsEmpty;
using namespace std::string_literals;

namespace {

// The bytes of a file holding these lines, each ended by CR LF.
std::string FileOf(std::initializer_list<std::string> Lines) {
    std::string Content;
    for (const std::string& Line : Lines)
        Content += Line + "\r\n";
    return Content;
}

class IniFile : public testing::Test {
protected:
    std::string Make(const std::string& Content) { return Temp.Write("settings.ini", Content); }
    std::string Saved() const { return Temp.Read("settings.ini"); }

    TTempFolder Temp;
};

struct TLookupCase {
    const char* Name;
    std::string Content;
    std::string Section, Key;
    std::string Expected;
    friend void PrintTo(const TLookupCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

class IniLookup : public testing::TestWithParam<TLookupCase> {};

TEST_P(IniLookup, ReadsTheFirstMatchingLineOfTheFirstMatchingSection) {
    TTempFolder Temp;
    TIniFile32 Ini(Temp.Write("lookup.ini", GetParam().Content));
    EXPECT_EQ(Ini.ReadString(GetParam().Section, GetParam().Key, "<default>"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniLookup,
    testing::Values(
        TLookupCase{"SectionIgnoresCase", FileOf({"[usrinfo]", "OutDir=D:\\Out"}), "USRInfo",
                    "OutDir", "D:\\Out"},
        TLookupCase{"KeyKeepsCase", FileOf({"[usrinfo]", "OutDir=D:\\Out"}), "USRInfo", "outdir",
                    "<default>"},
        TLookupCase{"EmptyValueGivesDefault", FileOf({"[S]", "Key="}), "S", "Key", "<default>"},
        TLookupCase{"BlanksAroundAreTrimmed", FileOf({"[S]", " \tKey  =  some value \t"}), "S",
                    "Key", "some value"},
        TLookupCase{"LaterEqualsBelongToValue", FileOf({"[S]", "a=b=c"}), "S", "a", "b=c"},
        TLookupCase{"FirstKeyEndsTheScan", FileOf({"[S]", "k=", "k=2"}), "S", "k", "<default>"},
        TLookupCase{"ScanStopsAtNextHeader", FileOf({"[A]", "[B]", "k=1"}), "A", "k", "<default>"},
        TLookupCase{"OnlyFirstHeaderCounts", FileOf({"[S]", "x=1", "[s]", "k=2"}), "S", "k",
                    "<default>"},
        TLookupCase{"BlanksInBracketsHideSection", FileOf({"[ Video ]", "k=1"}), "Video", "k",
                    "<default>"},
        TLookupCase{"BlankBeforeBracketHidesSection", FileOf({" [Video]", "k=1"}), "Video", "k",
                    "<default>"},
        TLookupCase{"LinesAboveFirstHeaderBelongNowhere", FileOf({"k=1", "[S]"}), "S", "k",
                    "<default>"},
        TLookupCase{"NoCommentSyntax", FileOf({"[S]", ";k=1"}), "S", ";k", "1"},
        TLookupCase{"IndentedHeaderStillEndsSection", FileOf({"[A]", "  [B]  ", "k=1"}), "A", "k",
                    "<default>"},
        TLookupCase{"LoneBlanksAreNoHeader", FileOf({"[A]", " \t ", "k=1"}), "A", "k", "1"},
        TLookupCase{"LineWithoutEqualsHasEmptyKey", FileOf({"[A]", "plain"}), "A", "", "<default>"},
        TLookupCase{"MissingSection", FileOf({"[A]", "k=1"}), "B", "k", "<default>"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

struct TIntegerCase {
    std::string Value;
    int32_t Expected;
    friend void PrintTo(const TIntegerCase& Case, std::ostream* Out) {
        *Out << '"' << Case.Value << '"';
    }
};

class IniInteger : public testing::TestWithParam<TIntegerCase> {};

TEST_P(IniInteger, ConvertsDecimalAndHexadecimalOrGivesDefault) {
    TTempFolder Temp;
    TIniFile32 Ini(Temp.Write("int.ini", FileOf({"[S]", "n=" + GetParam().Value})));
    EXPECT_EQ(Ini.ReadInteger("S", "n", 77), GetParam().Expected) << GetParam().Value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniInteger,
    testing::Values(TIntegerCase{"0x1F", 31}, TIntegerCase{"0X1f", 31}, TIntegerCase{"$1F", 31},
                    TIntegerCase{"-5", -5}, TIntegerCase{"+7", 7}, TIntegerCase{" 42 ", 42},
                    TIntegerCase{"2147483647", 2147483647}, TIntegerCase{"-2147483648", INT32_MIN},
                    TIntegerCase{"2147483648", 77}, TIntegerCase{"12abc", 77}, TIntegerCase{"", 77},
                    TIntegerCase{"0x", 77}, TIntegerCase{"$", 77}, TIntegerCase{"+-5", 77},
                    TIntegerCase{"$-1", 77}, TIntegerCase{"0x-1", 77},
                    TIntegerCase{"$FFFFFFFF", 77}, TIntegerCase{"1.5", 77}));

TEST_F(IniFile, MissingFileReadsDefaultsAndCreatesNothing) {
    TIniFile32 Ini(Temp.Path("settings.ini"));
    EXPECT_EQ(Ini.ReadString("USRInfo", "OutDir", "x"), "x");
    EXPECT_EQ(Ini.ReadInteger("USRInfo", "Count", 3), 3);
    std::vector<std::string> Sections{"stale"};
    Ini.ReadSections(&Sections);
    EXPECT_THAT(Sections, IsEmpty());
    Ini.EraseSection("USRInfo");
    EXPECT_FALSE(Temp.Exists("settings.ini"));
}

TEST_F(IniFile, FirstWriteCreatesFileWithBlankLineBeforeHeader) {
    TIniFile32 Ini(Temp.Path("settings.ini"));
    Ini.WriteString("USRInfo", "OutDir", "D:\\Out");
    EXPECT_EQ(Saved(), "\r\n[USRInfo]\r\nOutDir=D:\\Out\r\n");
}

TEST_F(IniFile, WritesReplaceInPlaceOrInsertAtSectionEnd) {
    TIniFile32 Ini(Make(FileOf({"[A]", "  x =  1", "", "[B]", "z=3"})));
    Ini.WriteString("A", "x", "9");
    Ini.WriteString("a", "y", "2");
    Ini.WriteString("B", "w", " kept as given ");
    Ini.WriteInteger("C", "n", -12);
    EXPECT_EQ(Saved(), FileOf({"[A]", "x=9", "", "y=2", "[B]", "z=3", "w= kept as given ", "",
                               "[C]", "n=-12"}));
    EXPECT_EQ(TIniFile32(Temp.Path("settings.ini")).ReadInteger("C", "n", 0), -12);
}

TEST_F(IniFile, EmptyKeyWritesOnlyHeaderOrNothing) {
    TIniFile32 Ini(Make(FileOf({"[A]", "plain"})));
    Ini.WriteString("A", "", "v");
    Ini.WriteString("B", "", "v");
    EXPECT_EQ(Saved(), FileOf({"[A]", "plain", "", "[B]"}));
}

TEST_F(IniFile, WriteToHeaderWithBlanksAppendsExactHeader) {
    TIniFile32 Ini(Make(FileOf({"[ Video ]", "k=1"})));
    std::vector<std::string> Sections;
    Ini.ReadSections(&Sections);
    EXPECT_THAT(Sections, ElementsAre("Video"));
    Ini.WriteString("Video", "k", "2");
    EXPECT_EQ(Saved(), FileOf({"[ Video ]", "k=1", "", "[Video]", "k=2"}));
}

TEST_F(IniFile, EraseSectionKeepsTheBlankLineBeforeIt) {
    TIniFile32 Ini(Make(FileOf({"[A]", "x=1", "", "[B]", "y=2", "", "[C]"})));
    Ini.EraseSection("b");
    EXPECT_EQ(Saved(), FileOf({"[A]", "x=1", "", "", "[C]"}));
    Ini.EraseSection("A");
    EXPECT_EQ(Saved(), FileOf({"[C]"}));
}

TEST_F(IniFile, EraseSectionRemovesOnlyTheFirstOfDuplicates) {
    TIniFile32 Ini(Make(FileOf({"x=0", "[S]", "a=1", "[S]", "b=2"})));
    Ini.EraseSection("S");
    EXPECT_EQ(Saved(), FileOf({"x=0", "", "[S]", "b=2"}));
}

TEST_F(IniFile, ReadSectionsListsEveryHeaderTrimmed) {
    TIniFile32 Ini(Make(FileOf({"top", " [ One ] ", "[]", "[Two]", "[one]", "[", "]"})));
    std::vector<std::string> Sections;
    Ini.ReadSections(&Sections);
    EXPECT_THAT(Sections, ElementsAre("One", "", "Two", "one"));
    try {
        Ini.ReadSections(nullptr);
        FAIL() << "a missing list must be refused";
    } catch (const EAssertionFailed& Error) {
        EXPECT_STREQ(Error.what(), "Param Strings must be assigned");
    }
}

TEST_F(IniFile, LoadSplitsEveryLineBreakAndStopsAtNul) {
    TIniFile32 Ini(Make("[S]\r\na=1\nb=2\rc=3\r\n\r\nd=4\0e=5\r\n"s));
    EXPECT_THAT(Ini.Lines(), ElementsAre("[S]", "a=1", "b=2", "c=3", "", "d=4"));
    Ini.WriteString("S", "a", "1");
    EXPECT_EQ(Saved(), FileOf({"[S]", "a=1", "b=2", "c=3", "", "d=4"}));
}

TEST_F(IniFile, HugeLinesAndAMissingFinalLineBreakRoundTrip) {
    const std::string Huge(2 << 20, 'v');
    TIniFile32 Ini(Make("[S]\r\nbig=" + Huge + "\r\nlast=1"));
    EXPECT_EQ(Ini.ReadString("S", "big", ""), Huge);
    EXPECT_EQ(Ini.ReadInteger("S", "last", 0), 1);
    Ini.WriteString("S", "last", "2");
    EXPECT_EQ(Saved(), FileOf({"[S]", "big=" + Huge, "last=2"}));
}

TEST(IniLines, SplitLinesHandlesEndsAndEmptyText) {
    EXPECT_THAT(SplitLines(""), IsEmpty());
    EXPECT_THAT(SplitLines("\r\n"), ElementsAre(""));
    EXPECT_THAT(SplitLines("a"), ElementsAre("a"));
    EXPECT_THAT(SplitLines("a\n\n"), ElementsAre("a", ""));
    EXPECT_THAT(SplitLines("a\r\rb"), ElementsAre("a", "", "b"));
    EXPECT_THAT(SplitLines("a\n\rb"), ElementsAre("a", "", "b"));
    EXPECT_THAT(SplitLines("\0a"s), IsEmpty());
}

TEST(IniLines, ValueOfLineNeedsKeyBeforeEquals) {
    EXPECT_EQ(ValueOfLine("k = v", "k"), "v");
    EXPECT_EQ(ValueOfLine("x=k", "k"), "");
    EXPECT_EQ(ValueOfLine("k", "k"), "");
    EXPECT_EQ(ValueOfLine("", "k"), "");
    EXPECT_EQ(ValueOfLine("k=v", ""), "");
}

TEST_F(IniFile, TwoObjectsOnOneFileLastWriterWins) {
    TIniFile32 First(Temp.Path("settings.ini"));
    TIniFile32 Second(Temp.Path("settings.ini"));
    First.WriteString("S", "a", "1");
    Second.WriteString("S", "b", "2");
    EXPECT_EQ(Saved(), FileOf({"", "[S]", "b=2"}));
}

TEST_F(IniFile, SectionsMatchNonAsciiCaseInTheUserLocale) {
    const std::string Previous = std::setlocale(LC_ALL, nullptr);
    if (!std::setlocale(LC_ALL, "C.UTF-8"))
        GTEST_SKIP() << "no UTF-8 locale";
    TIniFile32 Ini(Make(FileOf({"[Ärger]", "k=1"})));
    EXPECT_EQ(Ini.ReadString("äRGER", "k", ""), "1");
    EXPECT_EQ(Ini.ReadString("Ärgen", "k", ""), "");
    std::setlocale(LC_ALL, Previous.c_str());
}

TEST_F(IniFile, SaveIntoMissingFolderFailsAndKeepsTheChangeInMemory) {
    const std::string Path = Temp.Path("Config/UserSettings.ini");
    TIniFile32 Ini(Path);
    try {
        Ini.WriteString("USRInfo", "OutDir", "x");
        FAIL() << "writing into a missing folder must fail";
    } catch (const EFCreateError& Error) {
        EXPECT_EQ(std::string(Error.what()),
                  "Cannot create file \"" + Path + "\". No such file or directory");
    }
    EXPECT_EQ(Ini.ReadString("USRInfo", "OutDir", ""), "x");
}

TEST_F(IniFile, ReadOnlyFileRefusesEveryWriteAndStaysUntouched) {
    const std::string Original = FileOf({"[A]", "x=1", "[B]"});
    const std::string Path = Make(Original);
    std::filesystem::permissions(Path, std::filesystem::perms::owner_read);
    TIniFile32 Ini(Path);
    EXPECT_THROW(Ini.WriteString("A", "x", "2"), EFCreateError);
    EXPECT_THROW(Ini.EraseSection("B"), EFCreateError);
    EXPECT_EQ(Saved(), Original);
    EXPECT_EQ(std::filesystem::status(Path).permissions(), std::filesystem::perms::owner_read);
}

TEST_F(IniFile, UnreadableFileFailsToOpen) {
    const std::string Path = Make(FileOf({"[A]"}));
    // With every descriptor slot taken, opening fails for any user, the superuser too.
    const int Lowest = open("/dev/null", O_RDONLY);
    close(Lowest);
    std::exception_ptr Failure;
    {
        TScopedResourceLimit NoMoreFiles(RLIMIT_NOFILE, static_cast<rlim_t>(Lowest));
        try {
            TIniFile32 Ini(Path);
        } catch (...) { // looked at below: the sanitizers need free descriptors for that
            Failure = std::current_exception();
        }
    }
    ASSERT_TRUE(Failure) << "loading must fail";
    try {
        std::rethrow_exception(Failure);
    } catch (const EFOpenError& Error) {
        EXPECT_EQ(std::string(Error.what()),
                  "Cannot open file \"" + Path + "\". Too many open files");
    }
}

} // namespace
