// The warning dialog as the user's language shows it: the set the resource
// loader picks, the template's size, font, rectangles and texts, and every
// text, with a machine name filled in, fitting its control at the dialog's
// own font. Run once per language; VEXLOW_EXPECTED_LANGUAGE names the set the
// loader is to pick ("en" or "ja").
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "core/text_format.h"
#include "resource.h"
#include "win/wide_text.h"
#include "win/win32_startup_services.h"

namespace vexlow::win::testing {
namespace {

struct ControlLayout {
  int id;
  RECT units;  // x, y, width, height in dialog units
  const char* text;
};

struct DialogLayout {
  const char* title;  // the template's caption and string 3000
  const wchar_t* typeface;
  int pointSize;
  SIZE units;
  ControlLayout controls[5];
};

const DialogLayout kEnglish = {"Glinterra Update Tool",
                               L"MS Sans Serif",
                               8,
                               {210, 165},
                               {{IDC_WARNING_HEADING, {7, 7, 196, 10}, "Warning"},
                                {IDC_WARNING_NOTICE, {7, 29, 186, 25}, nullptr},
                                {IDC_WARNING_INSTRUCTIONS, {7, 65, 196, 70}, nullptr},
                                {IDOK, {46, 144, 50, 14}, "&Start"},
                                {IDCANCEL, {112, 144, 50, 14}, "Cancel"}}};

// Taller than its original 195 x 140, with the instructions 74 units high
// instead of 49 and the buttons below them: at 49 the instructions are cut off.
const DialogLayout kJapanese = {"Glinterra \u66F4\u65B0\u30C4\u30FC\u30EB",
                                L"MS UI Gothic",
                                9,
                                {195, 165},
                                {{IDC_WARNING_HEADING, {7, 7, 181, 10}, "\u3054\u6CE8\u610F"},
                                 {IDC_WARNING_NOTICE, {7, 29, 181, 25}, nullptr},
                                 {IDC_WARNING_INSTRUCTIONS, {7, 61, 181, 74}, nullptr},
                                 {IDOK, {39, 144, 50, 14}, "\u958B\u59CB(&S)"},
                                 {IDCANCEL, {105, 144, 50, 14}, "\u30AD\u30E3\u30F3\u30BB\u30EB"}}};

INT_PTR CALLBACK PassiveDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}

std::string WindowText(HWND window) {
  wchar_t text[2048] = {};
  GetWindowTextW(window, text, 2048);
  return WideToUtf8(text);
}

// The rectangle of dialog units in pixels of the dialog's client area. Like
// the dialog manager, position and size are converted each on its own.
RECT ToPixels(HWND dialog, LONG x, LONG y, LONG width, LONG height) {
  RECT mapped = {x, y, width, height};
  MapDialogRect(dialog, &mapped);
  return {mapped.left, mapped.top, mapped.left + mapped.right, mapped.top + mapped.bottom};
}

void ExpectRect(const RECT& actual, const RECT& expected) {
  EXPECT_EQ(actual.left, expected.left);
  EXPECT_EQ(actual.top, expected.top);
  EXPECT_EQ(actual.right, expected.right);
  EXPECT_EQ(actual.bottom, expected.bottom);
}

// Height the static control needs for its text, against its client height.
struct Fit {
  int needed;
  int available;
};

Fit MeasureText(HWND control) {
  const std::wstring text = Utf8ToWide(WindowText(control));
  RECT client;
  GetClientRect(control, &client);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT needed = client;
  DrawTextW(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {needed.bottom - needed.top, client.bottom - client.top};
}

class WarningDialogLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* language = std::getenv("VEXLOW_EXPECTED_LANGUAGE");
    ASSERT_NE(language, nullptr);
    expected_ = std::string(language) == "ja" ? &kJapanese : &kEnglish;
    dialog_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(IDD_WARNING), nullptr,
                                 &PassiveDialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override { DestroyWindow(dialog_); }

  HINSTANCE instance_ = GetModuleHandleW(nullptr);
  Win32StringTable strings_{instance_};
  const DialogLayout* expected_ = nullptr;
  HWND dialog_ = nullptr;
};

TEST_F(WarningDialogLayoutTest, TemplateOfTheUsersLanguage) {
  EXPECT_EQ(strings_.Load(IDS_APP_TITLE), expected_->title);
  EXPECT_EQ(WindowText(dialog_), expected_->title);

  LOGFONTW font = {};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)), sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, expected_->typeface);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(font.lfHeight, -MulDiv(expected_->pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72));
  ReleaseDC(nullptr, screen);

  RECT client;
  GetClientRect(dialog_, &client);
  ExpectRect(client, ToPixels(dialog_, 0, 0, expected_->units.cx, expected_->units.cy));
  for (const ControlLayout& control : expected_->controls) {
    SCOPED_TRACE(control.id);
    HWND window = GetDlgItem(dialog_, control.id);
    ASSERT_NE(window, nullptr);
    RECT actual;
    GetWindowRect(window, &actual);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&actual), 2);
    ExpectRect(actual, ToPixels(dialog_, control.units.left, control.units.top, control.units.right,
                                control.units.bottom));
    if (control.text != nullptr) {
      EXPECT_EQ(WindowText(window), control.text);
    }
  }
}

TEST_F(WarningDialogLayoutTest, TextsWithAMachineNameFitTheirControls) {
  const std::string machine = "VX-9 Pro Tape";
  SetDlgItemTextW(dialog_, IDC_WARNING_NOTICE,
                  Utf8ToWide(FormatText(strings_.Load(IDS_WARNING_NOTICE), machine)).c_str());
  SetDlgItemTextW(dialog_, IDC_WARNING_INSTRUCTIONS,
                  Utf8ToWide(FormatText(strings_.Load(IDS_WARNING_INSTRUCTIONS), machine)).c_str());
  for (int id : {IDC_WARNING_HEADING, IDC_WARNING_NOTICE, IDC_WARNING_INSTRUCTIONS}) {
    const Fit fit = MeasureText(GetDlgItem(dialog_, id));
    EXPECT_LE(fit.needed, fit.available) << "control " << id;
  }
}

}  // namespace
}  // namespace vexlow::win::testing
