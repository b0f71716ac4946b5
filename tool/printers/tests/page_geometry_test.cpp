#include "tool/printers/page_geometry.h"

#include <vector>

#include <gtest/gtest.h>

#include "tool/printers/feature_flags.h"
#include "tool/printers/private_area.h"
#include "tool/printers/tests/printer_fakes.h"

namespace vexlow {
namespace {

struct PaperRow {
  int16_t id, group;
  uint8_t piece;
  int16_t width, height, offsetX, offsetY, printableWidth, printableHeight;
  uint32_t flags = 0;
};

PaperList Papers(const std::vector<PaperRow>& rows) {
  PaperList papers;
  papers.SetSize(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const PaperRow& r = rows[i];
    PaperRecord& p = papers[i];
    p.SetId(r.id);
    p.SetGroupId(r.group);
    p.SetPieceNumber(r.piece);
    p.SetPhysicalWidth(r.width);
    p.SetPhysicalHeight(r.height);
    p.SetOffsetX(r.offsetX);
    p.SetOffsetY(r.offsetY);
    p.SetPrintableWidth(r.printableWidth);
    p.SetPrintableHeight(r.printableHeight);
    p.SetFlags(r.flags);
  }
  return papers;
}

MarginList Margins() {  // keys 0, 12, 24 with margins 100, 101, 102
  MarginList margins;
  margins.SetSize(3);
  for (std::size_t i = 0; i < 3; ++i) {
    margins[i].SetKey(static_cast<uint8_t>(12 * i));
    margins[i].SetMargin(static_cast<int16_t>(100 + i));
  }
  return margins;
}

const PaperRow kA4{9, 9, 1, 2480, 3508, 50, 60, 2380, 3388};

TEST(PageGeometryTest, ExtentsInPixelsFallBackToThePapers) {
  struct Case {
    Extent minimum, maximum;
    Resolution resolution;
    uint32_t features;
    std::vector<PaperRow> papers;
    int32_t minWidth, minLength, maxWidth, maxLength;
  };
  const Case cases[] = {
      {{100, 150}, {240, 9999}, {180, 180}, 0, {}, 71, 110, 170, 7085},
      {{100, 150}, {240, 9999}, {180, 360}, kFeaturePrivateLayoutTwo, {}, 213, 74, 14171, 170},
      {{}, {}, {}, 0, {}, 0, 0, 0, 0},
      {{}, {240, 9999}, {180, 180}, 0, {}, 8149, 8149, 170, 7085},
      {{}, {}, {300, 300}, 0, {kA4, {300, 300, 1, 1000, 500, 0, 0, 0, 0}}, 1000, 500, 2480, 3508},
  };
  for (const Case& c : cases) {
    PageGeometry geometry;
    geometry.resolution = c.resolution;
    ComputeExtents(c.minimum, c.maximum, c.features, Papers(c.papers), geometry);
    EXPECT_EQ(c.minWidth, geometry.minimumWidth) << c.resolution.y;
    EXPECT_EQ(c.minLength, geometry.minimumLength) << c.resolution.y;
    EXPECT_EQ(c.maxWidth, geometry.maximumWidth) << c.resolution.y;
    EXPECT_EQ(c.maxLength, geometry.maximumLength) << c.resolution.y;
  }
}

TEST(PageGeometryTest, ResolutionFromTheFirstPaperRoundsToTens) {
  ResolutionList none;
  ResolutionList one;
  one.SetSize(1);
  one[0].SetX(360);
  one[0].SetY(180);
  struct Case {
    PaperList papers;
    const ResolutionList& resolutions;
    Resolution expected;
  };
  PaperList a4 = Papers({{9, 9, 1, 2480, 3508, 0, 0, 0, 0}});
  a4[0].SetPaperWidth(2100);  // 299.96 dpi
  a4[0].SetPaperLength(2970);
  PaperList zeroWidth = Papers({{9, 9, 1, 2480, 3508, 0, 0, 0, 0}});
  const Case cases[] = {{std::move(a4), none, {300, 300}},
                        {Papers({kA4}), one, {360, 180}},
                        {PaperList(), none, {7, 7}},
                        {std::move(zeroWidth), none, {0, 0}}};
  for (const Case& c : cases) {
    Resolution resolution{7, 7};
    ResolutionFromPaper(c.papers, c.resolutions, resolution);
    EXPECT_EQ(c.expected, resolution);
  }
  EXPECT_EQ(300, ToDevicePixels(300, 254));
  EXPECT_EQ(71, ToDevicePixels(180, 100));
  EXPECT_EQ(-299, ToDevicePixels(300, 0xFF02));  // -254 as a 16-bit number
}

TEST(PageGeometryTest, MinimumOffsetsAreBoundedByTheFirstMargin) {
  const PaperList papers = Papers({kA4, {300, 300, 1, 1000, 1000, 30, 70, 900, 800}});
  PageGeometry geometry;
  ComputeMinimumOffsets(papers, MarginList(), geometry);
  EXPECT_EQ((Rect{30, 60, 30, 60}), geometry.minimumOffsets);
  ComputeMinimumOffsets(papers, Margins(), geometry);
  EXPECT_EQ((Rect{30, 60, 30, 60}), geometry.minimumOffsets);  // a larger margin: kept
  EXPECT_EQ(24, geometry.currentMargin.Key());
  const PaperList tight = Papers({{9, 9, 1, 2480, 3508, 50, 160, 2380, 3000}});
  ComputeMinimumOffsets(tight, Margins(), geometry);
  EXPECT_EQ((Rect{50, 100, 50, 100}), geometry.minimumOffsets);
  ComputeMinimumOffsets(PaperList(), MarginList(), geometry);
  EXPECT_EQ((Rect{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}), geometry.minimumOffsets);
  EXPECT_EQ(0, geometry.currentMargin.Key());
}

TEST(PageGeometryTest, LayoutOfTheCurrentPaper) {
  const PaperList papers = Papers({kA4,
                                   {300, 300, 1, 1000, 1000, 30, 0, 900, 0},
                                   {301, 300, 2, 800, 600, 5, 6, 790, 588},
                                   {302, 302, 1, 2480, 3508, 50, 60, 2380, 3388, 0x80},
                                   {303, 303, 1, 2480, 3508, 50, 60, 2380, 3388, 0x10}});
  MediaList media;
  media.SetSize(1);
  media[0].SetId(400);
  media[0].SetPaperId(9);
  media[0].SetLength(1234);
  media[0].SetWidth(567);
  const uint32_t standardFields = kDmPaperSize | kDmOrientation;
  struct Case {
    const char* what;
    uint32_t features;
    uint32_t fields;
    int16_t paper, orientation, dmWidth, dmLength;
    std::vector<uint16_t> privateWords;  // offset, value pairs of a 30-byte layout-one area
    bool margins;
    int16_t currentPaper;
    int32_t width, length;
    Rect printable, maxima, origin;
    int32_t pieces;
  };
  const Case cases[] = {
      {"standard",
       0,
       standardFields,
       9,
       1,
       0,
       0,
       {},
       false,
       9,
       2480,
       3508,
       {60, 80, 60, 80},
       {60, 80, 60, 80},
       {5, 6, 5, 6},
       1},
      {"device mode width",
       0,
       standardFields | kDmPaperWidth,
       9,
       1,
       1000,
       0,
       {},
       false,
       9,
       1181,
       3508,
       {60, 80, 60, 80},
       {60, 80, 60, 80},
       {5, 6, 5, 6},
       1},
      {"no origin",
       0,
       standardFields,
       302,
       1,
       0,
       0,
       {},
       false,
       302,
       2480,
       3508,
       {50, 60, 50, 60},
       {50, 60, 50, 60},
       {},
       1},
      {"margins at offset",
       0,
       standardFields,
       303,
       1,
       0,
       0,
       {},
       true,
       303,
       2480,
       3508,
       {60, 80, 60, 80},
       {60, 80, 60, 80},
       {5, 6, 5, 6},
       1},
      {"first margin record",
       0,
       standardFields,
       9,
       1,
       0,
       0,
       {},
       true,
       9,
       2480,
       3508,
       {60, 120, 60, 120},
       {60, 120, 60, 120},
       {5, 6, 5, 6},
       1},
      {"medium",
       kFeaturePrivateLayoutOne,
       standardFields,
       400,
       1,
       0,
       0,
       {},
       false,
       400,
       567,
       1234,
       {60, 80, 60, 80},
       {60, 80, 60, 80},
       {5, 6, 5, 6},
       1},
      {"piece from the private area",
       kFeaturePrivateLayoutOne,
       standardFields,
       9,
       1,
       0,
       0,
       {0, 30, 4, 0x33, 6, 300, 10, 18, 12, 2, 18, 7777},
       true,
       301,
       800,
       7777,
       {30, 120, 70, 120},
       {30, 120, 70, 120},
       {5, 6, 5, 6},
       2},
      {"layout two in landscape",
       kFeaturePrivateLayoutTwo,
       standardFields | kDmPaperWidth | kDmPaperLength,
       9,
       2,
       254,
       508,
       {},
       false,
       9,
       600,
       300,
       {60, 80, 60, 80},
       {60, 80, 60, 80},
       {5, 6, 5, 6},
       1},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = testing::MakeDevMode(c.fields, c.privateWords.empty() ? 8 : 30);
    testing::PutShort(bytes, kDmPaperSizeOffset, c.paper);
    testing::PutShort(bytes, kDmOrientationOffset, c.orientation);
    testing::PutShort(bytes, kDmPaperWidthOffset, c.dmWidth);
    testing::PutShort(bytes, kDmPaperLengthOffset, c.dmLength);
    for (std::size_t i = 0; i + 1 < c.privateWords.size(); i += 2) {
      testing::PutShort(bytes, kDevModeASize + c.privateWords[i],
                        static_cast<int16_t>(c.privateWords[i + 1]));
    }
    const MarginList margins = c.margins ? Margins() : MarginList();
    const LayoutInputs inputs{DevModeView(bytes.data(), bytes.size()),
                              c.features,
                              papers,
                              margins,
                              media,
                              Point{5, 6},
                              Point{10, 20},
                              300};
    LayoutResults results;
    ComputeLayout(inputs, results);
    EXPECT_EQ(c.currentPaper, results.currentPaper) << c.what;
    EXPECT_EQ(c.width, results.paperWidth) << c.what;
    EXPECT_EQ(c.length, results.paperLength) << c.what;
    EXPECT_EQ(c.printable, results.printable) << c.what;
    EXPECT_EQ(c.maxima, results.maximumMargins) << c.what;
    EXPECT_EQ(c.origin, results.origin) << c.what;
    EXPECT_EQ(c.pieces, results.pieceCount) << c.what;
  }
}

}  // namespace
}  // namespace vexlow
