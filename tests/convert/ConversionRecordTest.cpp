#include "ConversionRecord.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TConversionEntry Converted(const std::string& Source, const std::string& Volume) {
    TConversionEntry Entry;
    Entry.Source = Source;
    Entry.SourceDigest = TFileDigest{10, std::string(64, 'a')};
    Entry.Type = "mp4";
    Entry.Options = {{"size", "320x240"}, {"volume", Volume}};
    Entry.StartTime = "00:00:00";
    Entry.EndTime = "00:01:00";
    Entry.Output = Source + ".mp4";
    Entry.OutputDigest = TFileDigest{5, std::string(64, 'b')};
    Entry.Outcome = "converted";
    return Entry;
}

TEST(ConversionRecord, TheLatestOutputOfASourceAndItsSettingsIsFoundAgain) {
    TTempFolder Temp;
    const std::string Record = Temp.Path("record.jsonl");
    TConversionEntry Incomplete = Converted("/in/a.rm", "200");
    Incomplete.Outcome = "incomplete";
    TConversionEntry Failed = Converted("/in/a.rm", "200");
    Failed.Outcome = "failed";
    for (const TConversionEntry& Entry :
         {Converted("/in/a.rm", "200"), Incomplete, Failed, Converted("/in/a.rm", "100"),
          Converted("/in/say \"hi\".rm", "200")})
        AppendRecordLine(Record, RecordLine(Entry));
    std::ofstream(Record, std::ios::app) << "{\"cut short\n";

    const TRecordIndex Index = TRecordIndex::Load(Record, {"/in/a.rm", "/in/b.rm"});
    const TRecordIndex::TMade* Made = Index.Find("/in/a.rm", SettingsKey(Incomplete));
    ASSERT_NE(Made, nullptr);
    EXPECT_FALSE(Made->Complete) << "the later incomplete output, not the failure after it";
    EXPECT_EQ(Made->Output, "/in/a.rm.mp4");
    EXPECT_TRUE(TRecordIndex::SameSha256(Made->OutputSha256, std::string(64, 'b')));
    EXPECT_TRUE(Index.Find("/in/a.rm", SettingsKey(Converted("", "100")))->Complete);
    EXPECT_EQ(Index.Find("/in/b.rm", SettingsKey(Incomplete)), nullptr);
    EXPECT_EQ(TRecordIndex::Load(Record, {"/in/b.rm"}).Find("/in/a.rm", SettingsKey(Failed)),
              nullptr);
    const std::string Quoted = "/in/say \"hi\".rm";
    EXPECT_NE(TRecordIndex::Load(Record, {Quoted}).Find(Quoted, SettingsKey(Failed)), nullptr);
    EXPECT_EQ(
        TRecordIndex::Load(Temp.Path("none"), {"/in/a.rm"}).Find("/in/a.rm", SettingsKey(Failed)),
        nullptr);
}

TEST(ConversionRecord, LinesWrittenAtOnceNeverInterleave) {
    TTempFolder Temp;
    const std::string Record = Temp.Path("record.jsonl");
    const std::string Long(20000, 'x'); // past what one write of a pipe keeps whole
    std::vector<std::thread> Writers;
    for (int Writer = 0; Writer < 4; ++Writer)
        Writers.emplace_back([&] {
            for (int Line = 0; Line < 50; ++Line)
                AppendRecordLine(Record, RecordLine(Converted("/in/" + Long, "200")));
        });
    for (std::thread& Writer : Writers)
        Writer.join();
    std::ifstream File(Record);
    int Lines = 0;
    for (std::string Line; std::getline(File, Line); ++Lines)
        ASSERT_EQ(Line, RecordLine(Converted("/in/" + Long, "200")));
    EXPECT_EQ(Lines, 200);
}

TEST(FileDigest, GivesTheSizeAndSha256OfTheWholeFile) {
    TTempFolder Temp;
    const std::optional<TFileDigest> Digest = DigestFile(Temp.Write("abc", "abc"));
    ASSERT_TRUE(Digest);
    EXPECT_EQ(Digest->Size, 3u);
    EXPECT_EQ(Digest->Sha256, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_FALSE(DigestFile(Temp.Path("missing")));
}

} // namespace
