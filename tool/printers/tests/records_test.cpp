// The printer's records and the page geometry computed from them.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/feature_flags.h"
#include "tool/printers/page_geometry.h"
#include "tool/printers/paper_list.h"
#include "tool/printers/private_area.h"
#include "tool/printers/record_lookups.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

using platform::ByteReader;
using platform::ByteWriter;
using testing::Margins;
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

  MarginList margins = Margins();
  for (const auto& [key, margin] :
       {std::pair<uint32_t, int>{18, 101}, {30, 102}, {0, 100}, {12, 101}, {0x10000, 102}}) {
    EXPECT_EQ(margin, FindMarginRecord(margins, key).Margin()) << key;
  }
  margins[0].SetKey(5);
  EXPECT_EQ(&NoMarginRecord(), &FindMarginRecord(margins, 4));
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
      {true, {{9}, {300}, {256}}, 256, {300, 256}, 256},
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
    entry.PutU16(134, i == 2 ? 333 : 0);  // a width of its own
  }
  writer.Put(30 + 66, "Second", 6);
  MediaList media;
  EXPECT_TRUE(ReadMediaRecords(kFeaturePrivateLayoutOne, writer.Reader(), papers, media));
  ASSERT_EQ(25u, media.Size());
  EXPECT_EQ(419, media[19].Id());
  EXPECT_EQ(0, media[20].Id());
  EXPECT_EQ("Tape 12 mm", media[0].Name());
  EXPECT_EQ(1, media[0].PieceNumber());
  EXPECT_EQ(640, media[0].Width());
  EXPECT_EQ(301, media[1].PaperId());  // its piece of the group
  EXPECT_EQ("Second", media[0].SecondName());
  EXPECT_EQ(333, media[2].Width());

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
  layoutTwo.PutU16(112 + 73 + 64, 303);
  EXPECT_TRUE(ReadMediaRecords(kFeaturePrivateLayoutTwo, layoutTwo.Reader(), papers, media));
  ASSERT_EQ(3u, media.Size());
  EXPECT_EQ(306, media[0].Id());
  EXPECT_EQ("Label", media[0].SecondName());
  EXPECT_EQ(1, media[0].PieceNumber());
  EXPECT_EQ(1234, media[0].Length());
  EXPECT_EQ(720, media[0].Width());  // the paper at position 302 - 300
  EXPECT_EQ(307, media[1].Id());
  EXPECT_EQ(0, media[1].Width());  // position 3 is past the list's end
  EXPECT_EQ(0, media[2].Id());
}

std::string Edges(const Rect& r) {
  std::ostringstream text;
  text << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  return text.str();
}

const std::vector<int> kA4 = {9, 9, 1, 2480, 3508, 50, 60, 2380, 3388};

TEST(PageGeometryTest, ExtentsInPixelsFallBackToThePapers) {
  struct Case {
    Extent minimum, maximum;
    Resolution resolution;
    uint32_t features;
    std::vector<std::vector<int>> papers;
    std::string sizes;  // minimum width, length, maximum width, length
  };
  const Case cases[] = {
      {{100, 150}, {240, 9999}, {180, 180}, 0, {}, "71 110 170 7085"},
      {{100, 150}, {240, 9999}, {180, 360}, kFeaturePrivateLayoutTwo, {}, "213 74 14171 170"},
      {{}, {}, {}, 0, {}, "0 0 0 0"},
      {{}, {240, 9999}, {180, 180}, 0, {}, "8149 8149 170 7085"},  // 1150 mm
      {{}, {}, {300, 300}, 0, {kA4, {1, 1, 1, 1000, 500}}, "1000 500 2480 3508"},
      // A driver's resolution that fills 32 bits: the margins stop at the largest size.
      {{254, 254}, {1, 1}, {INT32_MAX, INT32_MAX}, 0, {}, "2147483647 2147483647 8454660 8454660"},
      // Every extent must be there in pixels, a single one included.
      {{100, 150}, {0, 9999}, {254, 254}, 0, {}, "100 150 0 9999"},
      {{100, 150}, {1, 9999}, {254, 254}, 0, {}, "101 154 1 9999"},
  };
  for (const Case& c : cases) {
    PageGeometry g;
    g.resolution = c.resolution;
    ComputeExtents(c.minimum, c.maximum, c.features, Papers(c.papers), g);
    std::ostringstream sizes;
    sizes << g.minimumWidth << " " << g.minimumLength << " " << g.maximumWidth << " "
          << g.maximumLength;
    EXPECT_EQ(c.sizes, sizes.str());
  }
}

TEST(PageGeometryTest, ResolutionFromTheFirstPaperRoundsToTens) {
  ResolutionList listed;
  listed.SetSize(1);
  listed[0].SetX(360);
  listed[0].SetY(180);
  PaperList a4 = Papers({{9, 9, 1, 2480, 3508}});
  const PaperList zeroSized = a4;
  a4[0].SetPaperWidth(2100);  // 299.96 dpi
  a4[0].SetPaperLength(2970);
  const struct {
    const PaperList& papers;
    const ResolutionList& resolutions;
    Resolution expected;
  } cases[] = {{a4, ResolutionList(), {300, 300}},
               {a4, listed, {360, 180}},
               {PaperList(), ResolutionList(), {7, 7}},
               {zeroSized, ResolutionList(), {0, 0}}};
  for (const auto& c : cases) {
    Resolution resolution{7, 7};
    ResolutionFromPaper(c.papers, c.resolutions, resolution);
    EXPECT_EQ(c.expected, resolution);
  }
  EXPECT_EQ(300, ToDevicePixels(300, 254));
  EXPECT_EQ(71, ToDevicePixels(180, 100));
  EXPECT_EQ(-299, ToDevicePixels(300, 0xFF02));     // -254 as a 16-bit number
  EXPECT_EQ(0, ToDevicePixels(613566757, 0xFC87));  // -889: -2147483649, just outside 32 bits
}

TEST(PageGeometryTest, MinimumOffsetsAreBoundedByTheFirstMargin) {
  const struct {
    std::vector<std::vector<int>> papers;
    bool margins;
    std::string offsets;
  } cases[] = {
      {{kA4, {1, 1, 1, 1000, 1000, 30, 70, 900, 800}}, false, "30,60,30,60"},
      {{kA4, {1, 1, 1, 1000, 1000, 30, 70, 900, 800}}, true, "30,60,30,60"},
      {{{9, 9, 1, 2480, 3508, 50, 160, 2380, 3000}}, true, "50,100,50,100"},
      {{}, false, "65535,65535,65535,65535"},
  };
  for (const auto& c : cases) {
    PageGeometry geometry;
    ComputeMinimumOffsets(Papers(c.papers), c.margins ? Margins() : MarginList(), geometry);
    EXPECT_EQ(c.offsets, Edges(geometry.minimumOffsets));
    EXPECT_EQ(c.margins ? 24 : 0, geometry.currentMargin.Key());
  }
}

// The current paper's layout: its size from the device mode, the private area,
// a medium or the paper record; its margins from the paper or the margin
// records; the printable rectangle moved by the offset; the running maxima
// raised and their sides taken from the printable rectangle.
TEST(PageGeometryTest, LayoutOfTheCurrentPaper) {
  const PaperList papers = Papers({kA4,
                                   {300, 300, 1, 1000, 1000, 30, 0, 900, 0},
                                   {301, 300, 2, 800, 600, 5, 6, 790, 588},
                                   {302, 302, 1, 2480, 3508, 50, 60, 2380, 3388, 0x10080},
                                   {303, 303, 1, 2480, 3508, 50, 60, 2380, 3388, 0x10},
                                   {304, 304, 0, 1000, 1000, 10, 10, 980, 980}});
  MediaList media;
  media.SetSize(1);
  media[0].SetId(400);
  media[0].SetPaperId(9);
  media[0].SetLength(1234);
  media[0].SetWidth(567);
  struct Given {
    uint32_t features;
    int16_t paper, orientation, dmWidth, dmLength;  // a value given sets its DM_ field
    int margins;                         // none, Margins(), or with a third margin of 500
    std::vector<uint16_t> privateWords;  // offset and value pairs of a 30-byte area
    Rect maximaBefore;
  };
  // Paper, size, printable rectangle, origin, pieces; orientation, paper
  // margins, maxima, paper flags.
  struct Case {
    Given c;
    std::string layout;
  };

  const uint32_t one = kFeaturePrivateLayoutOne;
  const uint32_t two = kFeaturePrivateLayoutTwo;
  // Layout one: size 30, paper flags 0x33, group 300, margin key 18, piece 2, length 7777.
  const std::vector<uint16_t> pieces = {0, 30, 4, 0x33, 6, 300, 10, 18, 12, 2, 18, 7777};
  const std::vector<uint16_t> pieceOne = {0, 30, 4, 0x01, 6, 300, 12, 2};
  const std::vector<uint16_t> lengthOnly = {0, 30, 4, 0x02, 18, 7777};
  const std::vector<uint16_t> marginOnly = {0, 30, 4, 0x10, 10, 30};
  const std::vector<uint16_t> failedCheck = {0, 31, 4, 0x33};
  const std::vector<uint16_t> sizeOnly = {0, 30};
  const Rect wide{0, 900, 0, 900};
  const Case cases[] = {
      {{0, 9, 1, 0, 0, 0, {}, {}},
       "9 2480x3508 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{0, 9, 0, 0, 0, 0, {}, {}},
       "9 2480x3508 60,80,60,80 5,6,5,6 1; 2 50,60,50,60 60,80,60,80 0"},
      {{0, 9, 1, 1000, 0, 0, {}, {}},
       "9 1181x3508 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{0, 9, 1, 0, 254, 0, {}, {}},
       "9 2480x300 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{0, 302, 1, 0, 0, 0, {}, {}},
       "302 2480x3508 50,60,50,60 0,0,0,0 1; 1 50,60,50,60 50,60,50,60 65664"},
      {{0, 303, 1, 0, 0, 1, {}, {}},
       "303 2480x3508 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 16"},
      {{0, 9, 1, 0, 0, 1, {}, {}},
       "9 2480x3508 60,120,60,120 5,6,5,6 1; 1 50,100,50,100 60,120,60,120 0"},
      {{0, 9, 1, 0, 0, 0, {}, wide},
       "9 2480x3508 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,900,60,900 0"},
      {{0, 304, 1, 0, 0, 0, {}, {}},
       "304 1000x1000 20,30,20,30 5,6,5,6 1; 1 10,10,10,10 20,30,20,30 0"},
      {{0, 301, 1, 0, 0, 0, {}, {}}, "301 800x600 30,26,70,26 5,6,5,6 2; 1 5,6,5,6 30,26,70,26 0"},
      {{one, 400, 1, 0, 0, 0, {}, {}},
       "400 567x1234 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{one, 9, 1, 0, 0, 1, pieces, {}},
       "301 800x7777 30,120,70,120 5,6,5,6 2; 1 5,100,5,100 30,120,70,120 0"},
      {{one, 9, 1, 0, 0, 0, pieceOne, {}},
       "300 1000x1000 40,20,80,1020 5,6,5,6 1; 1 30,0,70,1000 40,20,80,1020 0"},
      {{one, 9, 1, 0, 0, 0, lengthOnly, {}},
       "9 0x7777 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{one, 9, 1, 0, 0, 2, marginOnly, {}},
       "9 0x0 60,120,60,120 5,6,5,6 1; 1 50,100,50,100 60,500,60,500 0"},
      {{one, 9, 1, 0, 254, 0, failedCheck, {}},
       "9 2480x300 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{one, 303, 1, 0, 0, 0, sizeOnly, wide},
       "303 0x0 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 16"},
      {{two, 9, 2, 254, 508, 0, {}, {}},
       "9 600x300 60,80,60,80 5,6,5,6 1; 2 50,60,50,60 60,80,60,80 0"},
      {{two, 9, 1, 254, 508, 0, {}, {}},
       "9 300x600 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
      {{two, 9, 1, 0, 0, 0, {}, {}}, "9 0x0 60,80,60,80 5,6,5,6 1; 1 50,60,50,60 60,80,60,80 0"},
  };
  for (const auto& [c, expected] : cases) {
    const uint32_t fields = kDmPaperSize | (c.orientation != 0 ? kDmOrientation : 0) |
                            (c.dmWidth != 0 ? kDmPaperWidth : 0) |
                            (c.dmLength != 0 ? kDmPaperLength : 0);
    std::vector<uint8_t> bytes = testing::MakeDevMode(fields, c.privateWords.empty() ? 8 : 30);
    testing::PutShort(bytes, kDmPaperSizeOffset, c.paper);
    testing::PutShort(bytes, kDmOrientationOffset, c.orientation);
    testing::PutShort(bytes, kDmPaperWidthOffset, c.dmWidth);
    testing::PutShort(bytes, kDmPaperLengthOffset, c.dmLength);
    for (std::size_t i = 0; i + 1 < c.privateWords.size(); i += 2) {
      testing::PutShort(bytes, kDevModeASize + c.privateWords[i],
                        static_cast<int16_t>(c.privateWords[i + 1]));
    }
    MarginList margins = c.margins != 0 ? Margins() : MarginList();
    if (c.margins == 2) {
      margins[2].SetMargin(500);
    }
    LayoutResults r;
    r.maximumMargins = c.maximaBefore;
    ComputeLayout({DevModeView(bytes.data(), bytes.size()), c.features, papers, margins, media,
                   Point{5, 6}, Point{10, 20}, 300},
                  r);
    std::ostringstream layout;
    layout << r.currentPaper << " " << r.paperWidth << "x" << r.paperLength << " "
           << Edges(r.printable) << " " << Edges(r.origin) << " " << r.pieceCount << "; "
           << r.orientation << " " << Edges(r.paperMargins) << " " << Edges(r.maximumMargins) << " "
           << r.currentPaperFlags;
    EXPECT_EQ(expected, layout.str());
  }
}

}  // namespace
}  // namespace vexlow
