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

using platform::ByteReader;
using platform::ByteWriter;

using testing::Papers;

std::vector<int> Ids(const PaperList& papers) {
  std::vector<int> ids;
  for (const PaperRecord& paper : papers) {
    ids.push_back(paper.Id());
  }
  return ids;
}

TEST(RecordsTest, LookupsFallBackToSharedZeroRecordsOrTheFirstPaper) {
  PaperList papers = Papers({{9, 9, 1, 100}, {300, 0, 1, 200}, {301, 300, 2, 300}});
  EXPECT_EQ(200, FindPaper(papers, 300).PhysicalWidth());
  EXPECT_EQ(&NoPaper(), &FindPaper(papers, 11));
  EXPECT_EQ(200, FindGroupPaper(papers, 301).PhysicalWidth());  // its group's paper
  EXPECT_EQ(100, FindGroupPaper(papers, 11).PhysicalWidth());   // none: the first
  EXPECT_EQ(300, FindPaperPiece(papers, 300, 2).PhysicalWidth());
  EXPECT_EQ(100, FindPaperPiece(papers, 300, 3).PhysicalWidth());
  EXPECT_EQ(&NoPaper(), &FindPaperPiece(PaperList(), 300, 1));
  EXPECT_EQ(&NoMedia(), &FindMedia(MediaList(), 306));

  MarginList margins = testing::Margins();
  for (const auto& [key, margin] :
       {std::pair<uint32_t, int>{18, 101}, {30, 102}, {0, 100}, {12, 101}, {0x10000, 102}}) {
    EXPECT_EQ(margin, FindMarginRecord(margins, key).Margin()) << key;
  }
  margins[0].SetKey(5);
  EXPECT_EQ(&NoMarginRecord(), &FindMarginRecord(margins, 4));

  papers.SetSize(4);  // grows zero-filled, keeps the rest
  EXPECT_EQ((std::vector<int>{9, 300, 301, 0}), Ids(papers));
  EXPECT_EQ(300, papers[2].PhysicalWidth());
}

TEST(RecordsTest, PaperNamesAreCutTo49CharactersAndSplitAtTheLastBar) {
  const std::string sixty(60, 'n');
  const struct {
    std::string entry;
    bool split;
    std::string paperName, displayName;
  } cases[] = {
      {sixty, false, sixty.substr(0, 49), sixty.substr(0, 49)},
      {"A4|A4 210 x 297 mm", true, "A4", "A4 210 x 297 mm"},
      {"A4|A4 210 x 297 mm", false, "A4|A4 210 x 297 mm", "A4|A4 210 x 297 mm"},
      {"a|b|c", true, "a|b", "c"},
  };
  for (const auto& c : cases) {
    PaperRecord paper;
    SetPaperNames(paper, c.entry, c.split);
    EXPECT_EQ(c.paperName, paper.PaperName());
    EXPECT_EQ(c.displayName, paper.DisplayName());
    EXPECT_EQ(0, paper.Bytes()[12 + 49]);  // always terminated
  }
}

TEST(RecordsTest, PaperFiltersKeepThePapersOfTheModelAndMoveTheDeviceMode) {
  const struct {
    bool forModel;
    std::vector<std::vector<int>> papers;  // identifiers
    int16_t paperSize;
    std::vector<int> kept;
    int16_t paperSizeAfter;
  } cases[] = {
      {false, {{9}, {256}, {262}}, 256, {9}, 9},
      {false, {{256}, {262}}, 256, {}, 256},
      {true, {{9}, {256}, {300}}, 9, {256, 300}, 256},
      {true, {{9}, {256}, {300}}, 300, {256, 300}, 300},
      {true, {{9}, {1}}, 9, {}, 9},
  };
  for (const auto& c : cases) {
    PaperList papers = Papers(c.papers);
    std::vector<uint8_t> bytes = testing::MakeDevMode(0, 0);
    const DevModeView devMode(bytes.data(), bytes.size());
    devMode.SetPaperSize(c.paperSize);
    c.forModel ? FilterPapersForModel(papers, devMode) : FilterPapersForPlainModel(papers, devMode);
    EXPECT_EQ(c.kept, Ids(papers));
    EXPECT_EQ(c.paperSizeAfter, devMode.PaperSize());
  }
}

TEST(RecordsTest, MediaEntriesAreReadOnlyAsFarAsTheAreaHoldsThem) {
  const PaperList papers = Papers({{300, 300, 1, 640}, {301, 300, 2, 0}, {302, 302, 1, 720}});
  std::vector<uint8_t> one(30 + 25 * 150);  // layout one: 25 entries announced, 20 read
  ByteWriter writer(one.data(), one.size());
  writer.PutU16(kPrivateSizeOffset, static_cast<uint16_t>(one.size()));
  writer.PutU16(kPrivateMediaCountOffset, 25);
  for (uint16_t i = 0; i < 25; ++i) {
    ByteWriter entry = writer.From(30 + i * 150);
    entry.PutU16(0, static_cast<uint16_t>(400 + i));
    entry.Put(2, "Tape 12 mm", 10);
    entry.PutU16(130, 300);  // group 300
    entry.PutU16(140, i == 1 ? 2 : 0);
  }
  MediaList media;
  EXPECT_TRUE(ReadMediaRecords(kFeaturePrivateLayoutOne, writer.Reader(), papers, media));
  ASSERT_EQ(25u, media.Size());
  EXPECT_EQ(419, media[19].Id());
  EXPECT_EQ(0, media[20].Id());
  EXPECT_EQ("Tape 12 mm", media[0].Name());
  EXPECT_EQ(1, media[0].PieceNumber());
  EXPECT_EQ(640, media[0].Width());
  EXPECT_EQ(301, media[1].PaperId());  // its piece of the group

  // Cut short inside the fourth entry: the rest are absent.
  writer.PutU16(kPrivateSizeOffset, 3030);
  ReadMediaRecords(kFeaturePrivateLayoutOne, ByteReader(one.data(), 30 + 3 * 150 + 20), papers,
                   media);
  EXPECT_EQ(402, media[2].Id());
  EXPECT_EQ(0, media[3].Id());

  // Wine's printer driver keeps 8 private bytes: neither layout applies.
  for (const uint32_t layout : {kFeaturePrivateLayoutOne, kFeaturePrivateLayoutTwo}) {
    MediaList none;
    EXPECT_FALSE(ReadMediaRecords(layout, ByteReader(one.data(), 8), papers, none));
  }

  std::vector<uint8_t> two(112 + 2 * 73);  // layout two: 73-byte entries from 112
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
  EXPECT_EQ(720, media[0].Width());  // the paper at position 302 - 300
  EXPECT_EQ(0, media[1].Width());    // position 10 is outside the list
  EXPECT_EQ(0, media[2].Id());
}

}  // namespace
}  // namespace vexlow
