#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/feature_flags.h"
#include "tool/printers/paper_list.h"
#include "tool/printers/private_area.h"
#include "tool/printers/record_lookups.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using platform::ByteWriter;

PaperList Papers(std::vector<std::vector<int>> rows) {  // id, group, piece, physical width
  PaperList papers;
  papers.SetSize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    papers[i].SetId(static_cast<int16_t>(rows[i][0]));
    papers[i].SetGroupId(static_cast<int16_t>(rows[i][1]));
    papers[i].SetPieceNumber(static_cast<uint8_t>(rows[i][2]));
    papers[i].SetPhysicalWidth(static_cast<int16_t>(rows[i][3]));
  }
  return papers;
}

std::vector<int> Ids(const PaperList& papers) {
  std::vector<int> ids;
  for (const PaperRecord& paper : papers) {
    ids.push_back(paper.Id());
  }
  return ids;
}

TEST(RecordsTest, RecordArrayZeroFillsWhatItAddsAndKeepsTheRest) {
  PaperList papers = Papers({{9, 9, 1, 2480}});
  papers.SetSize(3);
  EXPECT_EQ(std::vector<int>({9, 0, 0}), Ids(papers));
  EXPECT_EQ(2480, papers[0].PhysicalWidth());
  EXPECT_EQ(std::vector<uint8_t>(138, 0),
            std::vector<uint8_t>(papers[2].Bytes(), papers[2].Bytes() + 138));
  papers.KeepIf([](const PaperRecord& paper) { return paper.Id() == 0; });
  EXPECT_EQ(2u, papers.Size());
  papers.KeepIf([](const PaperRecord&) { return false; });
  EXPECT_TRUE(papers.Empty());
  EXPECT_EQ(nullptr, papers.Data());
}

TEST(RecordsTest, FieldsLieAtTheLibrarysOffsets) {
  PaperRecord paper;
  ByteWriter bytes(paper.Bytes(), PaperRecord::kSize);
  bytes.PutU16(0, 9);
  bytes.PutU16(2, 3300);
  bytes.PutU16(6, 50);
  bytes.Put(12, "A4", 3);
  bytes.Put(62, "A4 sheet", 9);
  bytes.PutU16(112, 2400);
  bytes.PutU16(114, 2100);
  bytes.PutU16(116, 40);
  bytes.PutU32(124, 0x90);
  bytes.PutU16(128, 0xFFFF);
  bytes.PutU8(130, 2);
  EXPECT_EQ(9, paper.Id());
  EXPECT_EQ(3300, paper.PhysicalHeight());
  EXPECT_EQ(50, paper.OffsetY());
  EXPECT_EQ("A4", paper.PaperName());
  EXPECT_EQ("A4 sheet", paper.DisplayName());
  EXPECT_EQ(2400, paper.PhysicalWidth());
  EXPECT_EQ(2100, paper.PaperWidth());
  EXPECT_EQ(40, paper.OffsetX());
  EXPECT_EQ(0x90u, paper.Flags());
  EXPECT_EQ(-1, paper.GroupId());
  EXPECT_EQ(2, paper.PieceNumber());

  MarginRecord margin;
  ByteWriter(margin.Bytes(), MarginRecord::kSize).PutU16(1, 0x0123);
  EXPECT_EQ(0x0123, margin.Margin());
}

TEST(RecordsTest, LookupsFallBackToSharedZeroRecordsOrTheFirstPaper) {
  const PaperList papers = Papers({{9, 9, 1, 100}, {300, 0, 1, 200}, {301, 300, 2, 300}});
  EXPECT_EQ(200, FindPaper(papers, 300).PhysicalWidth());
  EXPECT_EQ(&NoPaper(), &FindPaper(papers, 11));
  EXPECT_EQ(200, FindGroupPaper(papers, 301).PhysicalWidth());  // its group's paper
  EXPECT_EQ(100, FindGroupPaper(papers, 9).PhysicalWidth());    // its own
  EXPECT_EQ(100, FindGroupPaper(papers, 11).PhysicalWidth());   // none: the first
  EXPECT_EQ(300, FindPaperPiece(papers, 300, 2).PhysicalWidth());
  EXPECT_EQ(100, FindPaperPiece(papers, 300, 3).PhysicalWidth());
  EXPECT_EQ(&NoPaper(), &FindPaperPiece(PaperList(), 300, 1));
  EXPECT_EQ(&NoMedia(), &FindMedia(MediaList(), 306));

  MarginList margins;
  margins.SetSize(3);
  for (std::size_t i = 0; i < 3; ++i) {
    margins[i].SetKey(static_cast<uint8_t>(12 * i));
    margins[i].SetMargin(static_cast<int16_t>(100 + i));
  }
  const std::pair<uint32_t, int> keys[] = {
      {18, 101}, {30, 102}, {0, 100}, {12, 101}, {0x10000, 102}};
  for (const auto& [key, margin] : keys) {
    EXPECT_EQ(margin, FindMarginRecord(margins, key).Margin()) << key;
  }
  margins[0].SetKey(5);
  EXPECT_EQ(&NoMarginRecord(), &FindMarginRecord(margins, 4));
}

TEST(RecordsTest, PaperNamesAreCutTo49CharactersAndSplitAtTheLastBar) {
  struct Case {
    std::string entry;
    bool split;
    std::string paperName;
    std::string displayName;
  };
  const std::string sixty(60, 'n');
  const Case cases[] = {
      {sixty, false, sixty.substr(0, 49), sixty.substr(0, 49)},
      {"A4|A4 210 x 297 mm", true, "A4", "A4 210 x 297 mm"},
      {"A4|A4 210 x 297 mm", false, "A4|A4 210 x 297 mm", "A4|A4 210 x 297 mm"},
      {"a|b|c", true, "a|b", "c"},
      {"Letter", true, "Letter", "Letter"},
  };
  for (const Case& c : cases) {
    PaperRecord paper;
    SetPaperNames(paper, c.entry, c.split);
    EXPECT_EQ(c.paperName, paper.PaperName()) << c.entry;
    EXPECT_EQ(c.displayName, paper.DisplayName()) << c.entry;
    EXPECT_EQ(0, paper.Bytes()[12 + 49]) << "paper name terminated";
  }
}

TEST(RecordsTest, PaperFiltersKeepThePapersOfTheModelAndMoveTheDeviceMode) {
  struct Case {
    bool forModel;
    std::vector<int> ids;
    int16_t paperSize;
    std::vector<int> kept;
    int16_t paperSizeAfter;
  };
  const Case cases[] = {
      {false, {9, 256, 262}, 256, {9}, 9},         {false, {9, 1}, 256, {9, 1}, 9},
      {false, {256, 262}, 256, {}, 256},           {true, {9, 256, 300}, 9, {256, 300}, 256},
      {true, {9, 256, 300}, 300, {256, 300}, 300}, {true, {9, 1}, 9, {}, 9},
  };
  for (const Case& c : cases) {
    PaperList papers;
    papers.SetSize(c.ids.size());
    for (std::size_t i = 0; i < c.ids.size(); ++i) {
      papers[i].SetId(static_cast<int16_t>(c.ids[i]));
    }
    std::vector<uint8_t> bytes = testing::MakeDevMode(0, 0);
    const DevModeView devMode(bytes.data(), bytes.size());
    devMode.SetPaperSize(c.paperSize);
    c.forModel ? FilterPapersForModel(papers, devMode) : FilterPapersForPlainModel(papers, devMode);
    EXPECT_EQ(c.kept, Ids(papers));
    EXPECT_EQ(c.paperSizeAfter, devMode.PaperSize());
  }
}

TEST(RecordsTest, PrivateAreaCheckTakesTheKnownSizesOrTheMediaCount) {
  const struct {
    std::size_t area;
    uint16_t size, count;
    bool passes;
  } cases[] = {{3030, 3030, 0, true}, {4530, 4530, 99, true}, {330, 330, 2, true},
               {330, 331, 2, false},  {30, 30, 0, true},      {29, 29, 0, false},
               {8, 3030, 0, false}};
  for (const auto& c : cases) {
    std::vector<uint8_t> area(c.area);
    ByteWriter(area.data(), area.size()).PutU16(kPrivateSizeOffset, c.size);
    ByteWriter(area.data(), area.size()).PutU16(kPrivateMediaCountOffset, c.count);
    EXPECT_EQ(c.passes, PassesPrivateAreaCheck(platform::ByteReader(area.data(), area.size())))
        << c.area << " " << c.size;
  }
}

TEST(RecordsTest, MediaEntriesAreReadOnlyAsFarAsTheAreaHoldsThem) {
  const PaperList papers = Papers({{300, 300, 1, 640}, {301, 300, 2, 0}, {302, 302, 1, 720}});
  // Layout one: 25 entries announced, 20 read.
  std::vector<uint8_t> one(30 + 25 * 150);
  ByteWriter writer(one.data(), one.size());
  writer.PutU16(kPrivateSizeOffset, static_cast<uint16_t>(one.size()));
  writer.PutU16(kPrivateMediaCountOffset, 25);
  for (uint16_t i = 0; i < 25; ++i) {
    const ByteWriter entry = writer.From(30 + i * 150);
    ByteWriter(entry).PutU16(0, static_cast<uint16_t>(400 + i));
    ByteWriter(entry).Put(2, "Tape 12 mm", 10);
    ByteWriter(entry).PutU16(130, 300);  // group 300
    ByteWriter(entry).PutU16(140, i == 1 ? 2 : 0);
  }
  MediaList media;
  EXPECT_TRUE(ReadMediaRecords(kFeaturePrivateLayoutOne, writer.Reader(), papers, media));
  ASSERT_EQ(25u, media.Size());
  EXPECT_EQ(419, media[19].Id());
  EXPECT_EQ(0, media[20].Id());
  EXPECT_EQ("Tape 12 mm", media[0].Name());
  EXPECT_EQ(1, media[0].PieceNumber());
  EXPECT_EQ(300, media[0].PaperId());
  EXPECT_EQ(640, media[0].Width());
  EXPECT_EQ(301, media[1].PaperId());  // its piece of the group
  EXPECT_EQ(0, media[1].Width());

  // The same area cut short inside the fourth entry: the rest are absent.
  std::vector<uint8_t> cut(one.begin(), one.begin() + 30 + 3 * 150 + 20);
  ByteWriter(cut.data(), cut.size()).PutU16(kPrivateSizeOffset, 3030);
  MediaList three;
  ReadMediaRecords(kFeaturePrivateLayoutOne, platform::ByteReader(cut.data(), cut.size()), papers,
                   three);
  EXPECT_EQ(402, three[2].Id());
  EXPECT_EQ(0, three[3].Id());

  // Wine's printer driver keeps 8 private bytes: neither layout applies.
  const std::vector<uint8_t> wine(8, 0xFF);
  for (const uint32_t layout : {kFeaturePrivateLayoutOne, kFeaturePrivateLayoutTwo}) {
    MediaList none;
    EXPECT_FALSE(
        ReadMediaRecords(layout, platform::ByteReader(wine.data(), wine.size()), papers, none));
  }

  // Layout two: 73-byte entries from 112 naming their paper by position.
  std::vector<uint8_t> two(112 + 2 * 73);
  ByteWriter layoutTwo(two.data(), two.size());
  layoutTwo.PutU8(kPrivateMediaCountTwoOffset, 3);  // the third lies past the area
  layoutTwo.Put(112, "Label", 5);
  layoutTwo.PutU16(112 + 64, 302);
  layoutTwo.PutU16(112 + 66, 1234);
  layoutTwo.PutU16(112 + 73 + 64, 310);
  EXPECT_TRUE(ReadMediaRecords(kFeaturePrivateLayoutTwo, layoutTwo.Reader(), papers, media));
  ASSERT_EQ(3u, media.Size());
  EXPECT_EQ(306, media[0].Id());
  EXPECT_EQ("Label", media[0].SecondName());
  EXPECT_EQ(1234, media[0].Length());
  EXPECT_EQ(720, media[0].Width());
  EXPECT_EQ(307, media[1].Id());
  EXPECT_EQ(0, media[1].Width());  // position 10 is outside the list
  EXPECT_EQ(0, media[2].Id());
}

}  // namespace
}  // namespace vexlow
