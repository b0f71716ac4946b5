#include "icon_kind.h"

#include <cstdlib>
#include <vector>

#include "window_search.h"

namespace winauto {
namespace {

struct SystemIcon {
  const wchar_t* kind;
  LPCWSTR id;
};

const SystemIcon kSystemIcons[] = {
    {L"stop", IDI_HAND},
    {L"exclamation", IDI_EXCLAMATION},
    {L"information", IDI_ASTERISK},
    {L"question", IDI_QUESTION},
};

HWND FindIconStatic(HWND dialog) {
  for (HWND control : ChildControls(dialog)) {
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (ClassNameOf(control) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
      return control;
    }
  }
  return nullptr;
}

// 32-bit pixels of a width x height top-down DIB, drawn by draw(memoryDc).
template <typename Draw>
std::vector<DWORD> RenderPixels(int width, int height, Draw draw) {
  std::vector<DWORD> pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (draw(memory)) {
      GdiFlush();
      const DWORD* first = static_cast<const DWORD*>(bits);
      pixels.assign(first, first + static_cast<size_t>(width) * height);
    }
    SelectObject(memory, previous);
  }
  if (bitmap != nullptr) {
    DeleteObject(bitmap);
  }
  if (memory != nullptr) {
    DeleteDC(memory);
  }
  return pixels;
}

bool Close(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF);
    const int cb = static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(ca - cb) > 8) {
      return false;
    }
  }
  return true;
}

// True when every opaque pixel of the icon, drawn at the control's size, is
// on the screen where the control shows its picture. Opaque pixels are those
// that come out the same on a black and on a white ground.
bool ScreenShowsIcon(const std::vector<DWORD>& screen, HICON icon, int width, int height) {
  auto drawOn = [&](COLORREF ground) {
    return RenderPixels(width, height, [&](HDC dc) {
      RECT all = {0, 0, width, height};
      HBRUSH brush = CreateSolidBrush(ground);
      FillRect(dc, &all, brush);
      DeleteObject(brush);
      return DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL) != FALSE;
    });
  };
  const std::vector<DWORD> onBlack = drawOn(RGB(0, 0, 0));
  const std::vector<DWORD> onWhite = drawOn(RGB(255, 255, 255));
  if (onBlack.empty() || onWhite.size() != onBlack.size() || screen.size() != onBlack.size()) {
    return false;
  }
  size_t opaque = 0;
  size_t differing = 0;
  for (size_t i = 0; i < screen.size(); ++i) {
    if (Close(onBlack[i], onWhite[i])) {
      ++opaque;
      differing += Close(onBlack[i], screen[i]) ? 0 : 1;
    }
  }
  return opaque > 0 && differing * 50 <= opaque;
}

// What the control shows on the screen now: its client area, copied from the
// screen device context.
std::vector<DWORD> CaptureClientArea(HWND control, int width, int height) {
  POINT origin = {0, 0};
  ClientToScreen(control, &origin);
  return RenderPixels(width, height, [&](HDC dc) {
    HDC screen = GetDC(nullptr);
    const bool copied = BitBlt(dc, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return copied;
  });
}

}  // namespace

const wchar_t* DetectIconKind(HWND dialog) {
  HWND control = FindIconStatic(dialog);
  if (control == nullptr || !IsWindowVisible(control)) {
    return L"none";
  }
  DWORD_PTR shown = 0;
  if (!SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 3000, &shown)) {
    return L"unknown";
  }
  if (shown == 0) {
    return L"none";
  }
  // The system's shared icons may carry the same handle in every process.
  for (const SystemIcon& system : kSystemIcons) {
    if (reinterpret_cast<HICON>(shown) == LoadIconW(nullptr, system.id)) {
      return system.kind;
    }
  }
  // Otherwise (Wine loads them per process) compare the pictures on the screen.
  RECT client = {};
  GetClientRect(control, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) {
    return L"unknown";
  }
  // A box that has only just appeared may not be painted yet: look a few times.
  for (int attempt = 0; attempt < 10; ++attempt) {
    const std::vector<DWORD> screen = CaptureClientArea(control, width, height);
    for (const SystemIcon& system : kSystemIcons) {
      if (ScreenShowsIcon(screen, LoadIconW(nullptr, system.id), width, height)) {
        return system.kind;
      }
    }
    Sleep(100);
  }
  return L"unknown";
}

}  // namespace winauto
