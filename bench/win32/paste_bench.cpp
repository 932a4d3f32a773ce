// Time of a long paste in the Windows window, against the edit control on
// its own: a plain EDIT of the same style and font, in a window of its
// own, is what Windows itself spends on the text. For each text, the
// paste (Ctrl+A, Ctrl+V in Periodos) until the window has handled and
// painted it, then the focus leaving the box, when it shows its shortened
// form. Medians of 5, in milliseconds.
//   paste_bench [REPETITIONS [LONGEST]]   (under Wine, on an X display)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "window/form1_description.h"
#include "window/win32/control_ids.h"
#include "window/win32/win32_form1.h"

namespace {

void PutOnClipboard(const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
  }
}

// Handles every message waiting, as the message loop would, and paints.
void Settle(HWND window) {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

template <class Step>
double Milliseconds(Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  return std::chrono::duration<double, std::milli>(
             std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

struct Times {
  double paste, leave;
};

// Pastes `text` over the box's whole text, then moves the focus to `next`.
Times PasteInto(HWND window, HWND box, HWND next, const std::wstring& text,
                int repetitions) {
  PutOnClipboard(text);
  std::vector<double> paste, leave;
  for (int i = 0; i < repetitions; ++i) {
    SetWindowTextW(box, L"");
    SetFocus(box);
    Settle(window);
    paste.push_back(Milliseconds([&] {
      SendMessageW(box, EM_SETSEL, 0, -1);
      SendMessageW(box, WM_PASTE, 0, 0);
      Settle(window);
    }));
    leave.push_back(Milliseconds([&] {
      SetFocus(next);
      Settle(window);
    }));
  }
  return {Median(paste), Median(leave)};
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  const int repetitions = argc > 1 ? _wtoi(argv[1]) : 5;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tasa::Win32Form1 form(instance);
  if (form.handle() == nullptr) return 1;
  ShowWindow(form.handle(), SW_SHOW);
  const auto control = [&form](const char* name) {
    for (const auto& each : tasa::Form1Description().controls) {
      if (each.name == name) {
        return GetDlgItem(form.handle(), tasa::ControlId(each));
      }
    }
    return HWND{};
  };
  const HWND periods = control("Text2");
  const HWND next = control("Text3");

  // The floor: an edit control alone, as the calculator makes its boxes.
  const HWND bare =
      CreateWindowExW(0, L"STATIC", L"floor", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      0, 0, 300, 120, nullptr, nullptr, instance, nullptr);
  const auto edit = [&](int top) {
    const HWND box = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 10, top,
        65, 19, bare, nullptr, instance, nullptr);
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(box, WM_SETFONT, SendMessageW(periods, WM_GETFONT, 0, 0),
                 FALSE);
    return box;
  };
  const HWND bare_box = edit(10), bare_next = edit(40);

  std::printf("%-28s %12s %12s %12s %12s\n", "text", "floor paste", "paste",
              "floor leave", "leave");
  const struct {
    const char* name;
    std::wstring text;
  } texts[] = {
      {"16 384 digits", L"1" + std::wstring(16383, L'0')},
      {"16 384 letters", std::wstring(16384, L'a')},
      {"65 536 digits", L"1" + std::wstring(65535, L'0')},
      {"65 536 letters", std::wstring(65536, L'a')},
      {"262 144 digits", L"1" + std::wstring(262143, L'0')},
      {"262 144 letters", std::wstring(262144, L'a')},
      {"1 MiB of digits", std::wstring(1 << 20, L'7')},
  };
  const std::size_t longest = argc > 2
                                  ? static_cast<std::size_t>(_wtoi(argv[2]))
                                  : std::size_t{1} << 20;
  for (const auto& [name, text] : texts) {
    if (text.size() > longest) continue;
    SetForegroundWindow(bare);
    const Times floor = PasteInto(bare, bare_box, bare_next, text, repetitions);
    SetForegroundWindow(form.handle());
    const Times ours =
        PasteInto(form.handle(), periods, next, text, repetitions);
    std::printf("%-28s %9.1f ms %9.1f ms %9.1f ms %9.1f ms\n", name,
                floor.paste, ours.paste, floor.leave, ours.leave);
    std::fflush(stdout);
  }
  DestroyWindow(bare);
  return 0;
}
