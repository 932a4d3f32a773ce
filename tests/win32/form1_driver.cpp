// Drives the Windows calculator from outside, as a person and as Windows
// itself would: starts it, finds its window by caption and its controls by
// their ids, checks layout at the system's DPI, captions, tab order, the
// three buttons, the Spanish error report, pastes, focus after minimizing,
// the default-button frame, the names and descriptions screen readers give
// the boxes, the executable's resources, and that closing ends it. Then it
// makes a window of its own, in this process, to check what only the
// window's own process can see: the fonts the controls draw with at 96,
// 120, 144 and 192 dpi, the Windows 7 fallbacks, tooltips, and what a click
// hands UI Automation to announce.
//
//   form1_driver CALCULATOR.exe FORM1_LAYOUT.tsv
//
// Prints one line per check and closes with "N passed, M failed".

#include <windows.h>
// After windows.h, which they need:
#include <commctrl.h>
#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "support/form1_layout.h"
#include "window/form1_description.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"
#include "window/win32/win32_form1.h"

namespace {

using tasa::ControlDescription;
using tasa::ControlKind;

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s - %s\n", ok ? "ok" : "not ok", what.c_str());
  ok ? ++passed : ++failed;
}

std::wstring TextOf(HWND window) {
  const auto length =
      static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::string Utf8(const std::wstring& text) { return tasa::Narrow(text); }

const ControlDescription& Described(std::string_view name) {
  for (const ControlDescription& control : tasa::Form1Description().controls) {
    if (control.name == name) return control;
  }
  std::abort();
}

Form1Layout layout;  // what the window is expected to be

// Whether `control` stands in `window` where the twips of `expected` put it
// at `dpi`.
bool StandsAt(HWND window, HWND control, const LaidOut& expected, int dpi) {
  const auto pixels = [dpi](int twips) {
    return tasa::TwipsToPixels(twips, dpi);
  };
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return control != nullptr && rect.left == pixels(expected.left) &&
         rect.top == pixels(expected.top) &&
         rect.right - rect.left == pixels(expected.width) &&
         rect.bottom - rect.top == pixels(expected.height);
}

struct Calculator {
  PROCESS_INFORMATION process{};
  HWND window = nullptr;

  HWND Control(std::string_view name) const {
    return GetDlgItem(window, tasa::ControlId(Described(name)));
  }
  void SetText(std::string_view name, const wchar_t* text) const {
    SendMessageW(Control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  std::wstring Text(std::string_view name) const {
    return TextOf(Control(name));
  }
  HWND Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process.dwThreadId, &info);
    return info.hwndFocus;
  }
};

HWND WaitForWindow(const wchar_t* class_name, const wchar_t* caption,
                   DWORD process_id) {
  for (int attempt = 0; attempt < 1200;
       ++attempt) {  // a minute, on a busy machine
    HWND found = nullptr;
    while ((found = FindWindowExW(nullptr, found, class_name, caption)) !=
           nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      if (owner == process_id && IsWindowVisible(found)) return found;
    }
    Sleep(50);
  }
  return nullptr;
}

// The error report that the calculator shows, if any: its text and the
// captions of its buttons. It is closed with `key`, and `closed` tells
// whether that closed it.
struct SeenBox {
  std::wstring text;
  std::vector<std::wstring> buttons;
  bool closed = false;
};
BOOL CALLBACK ReadReportControl(HWND child, LPARAM seen_box) {
  auto* seen = reinterpret_cast<SeenBox*>(seen_box);
  wchar_t class_name[32] = {};
  GetClassNameW(child, class_name, 32);
  if (lstrcmpiW(class_name, L"Button") == 0)
    seen->buttons.push_back(TextOf(child));
  if (lstrcmpiW(class_name, L"Static") == 0) seen->text += TextOf(child);
  return TRUE;
}

SeenBox CloseMessageBox(const Calculator& calculator, WPARAM key = VK_RETURN) {
  SeenBox seen;
  const HWND box =
      WaitForWindow(L"#32770", nullptr, calculator.process.dwProcessId);
  if (box == nullptr) return seen;
  EnumChildWindows(box, ReadReportControl, reinterpret_cast<LPARAM>(&seen));
  // A key goes to the control with the focus.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(calculator.process.dwThreadId, &info);
  const HWND target = info.hwndFocus != nullptr ? info.hwndFocus : box;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
  seen.closed = !IsWindow(box);
  if (!seen.closed) PostMessageW(box, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
  return seen;
}

// The system's resolution, which the calculator lays itself out for.
int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

void CheckLayout(const Calculator& calculator) {
  const int dpi = SystemDpi();
  RECT client{};
  GetClientRect(calculator.window, &client);
  Check(client.right == tasa::TwipsToPixels(layout.window.width, dpi) &&
            client.bottom == tasa::TwipsToPixels(layout.window.height, dpi),
        "client area at " + std::to_string(dpi) + " dpi is " +
            std::to_string(client.right) + "x" + std::to_string(client.bottom));
  Check(TextOf(calculator.window) == tasa::Widen(layout.window.caption),
        "caption");
  Check((GetWindowLongW(calculator.window, GWL_STYLE) & WS_THICKFRAME) == 0,
        "fixed frame");

  // The expected controls come in the description's order.
  const auto& described = tasa::Form1Description().controls;
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    const LaidOut& control = layout.controls[i];
    std::string name = control.name;
    if (control.index)
      name.append("(").append(std::to_string(*control.index)).append(")");
    const HWND hwnd =
        GetDlgItem(calculator.window,
                   i < described.size() ? tasa::ControlId(described[i]) : 0);
    Check(StandsAt(calculator.window, hwnd, control, dpi),
          name + " stands at its place");
    wchar_t class_name[32] = {};
    GetClassNameW(hwnd, class_name, 32);
    const wchar_t* expected = control.kind == "label" ? L"Static"
                              : control.kind == "box" ? L"Edit"
                                                      : L"Button";
    Check(lstrcmpiW(class_name, expected) == 0,
          name + " is a " + Utf8(expected));
    Check(TextOf(hwnd) == tasa::Widen(control.caption),
          name + " caption or initial text");
  }
}

void CheckFocusAndTabOrder(const Calculator& calculator) {
  Check(calculator.Focus() == calculator.Control("Command1"),
        "focus starts on Command1");
  const char* order[] = {"Command1", "Command2", "Command4", "Text1",
                         "Text2",    "Text3",    "Command1"};
  for (int i = 0; i + 1 < 7; ++i) {
    const HWND next = GetNextDlgTabItem(calculator.window,
                                        calculator.Control(order[i]), FALSE);
    Check(next == calculator.Control(order[i + 1]),
          std::string("Tab from ") + order[i] + " goes to " + order[i + 1]);
    const HWND back = GetNextDlgTabItem(calculator.window,
                                        calculator.Control(order[i + 1]), TRUE);
    Check(
        back == calculator.Control(order[i]),
        std::string("Shift+Tab from ") + order[i + 1] + " goes to " + order[i]);
  }
}

// Wine has no UiaRaiseNotificationEvent: the calculator clicks here as on
// Windows 7 and 8.1, without announcing.
void CheckButtons(const Calculator& calculator) {
  calculator.SetText("Text3", L"1");
  calculator.SetText("Text2", L"12");
  SendMessageW(calculator.Control("Command1"), BM_CLICK, 0, 0);
  Check(calculator.Text("Text1") == L"12,682503013197",
        "N.Anual with 1 and 12 gives " + Utf8(calculator.Text("Text1")));

  calculator.SetText("Text1", L"12");
  SendMessageW(calculator.Control("Command2"), BM_CLICK, 0, 0);
  Check(calculator.Text("Text3") == L"0,948879293458297",
        "N.Mensual with 12 and 12 gives " + Utf8(calculator.Text("Text3")));

  calculator.SetText("Text2", L"0");
  PostMessageW(calculator.Control("Command2"), BM_CLICK, 0, 0);
  const SeenBox seen = CloseMessageBox(calculator);
  Check(seen.text.find(L"11") != std::wstring::npos &&
            seen.text.find(L"División por cero") != std::wstring::npos,
        "zero periods report error 11: " + Utf8(seen.text));
  Check(seen.buttons == std::vector<std::wstring>{L"Aceptar"},
        "the report's one button reads Aceptar");
  Check(seen.closed, "Return closes the report");
  Sleep(100);
  Check(IsWindow(calculator.window) && IsWindowVisible(calculator.window),
        "the window is still there after the report");
  Check(calculator.Text("Text1") == L"12" && calculator.Text("Text2") == L"0" &&
            calculator.Text("Text3") == L"0,948879293458297",
        "the report changed no box");

  calculator.SetText("Text3", L"abc");
  PostMessageW(calculator.Control("Command1"), BM_CLICK, 0, 0);
  Check(CloseMessageBox(calculator, VK_ESCAPE).closed,
        "Escape closes the report");
  Sleep(100);
  const auto selection =
      SendMessageW(calculator.Control("Text3"), EM_GETSEL, 0, 0);
  Check(calculator.Focus() == calculator.Control("Text3") &&
            LOWORD(selection) == 0 && HIWORD(selection) == 3,
        "after error 13 the focus is in the box, its text selected");

  SendMessageW(calculator.Control("Command4"), BM_CLICK, 0, 0);
  Check(calculator.Text("Text1").empty() && calculator.Text("Text2").empty() &&
            calculator.Text("Text3").empty(),
        "Borrar empties the three boxes");
}

// A click of the mouse into a control, as the control hears it.
void ClickInto(HWND control) {
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  Sleep(150);
}
void PressKey(HWND control, WPARAM key) {
  PostMessageW(control, WM_KEYDOWN, key, 1);
  PostMessageW(control, WM_KEYUP, key, 0xC0000001);
  Sleep(150);
}

// Minimizing and restoring the window brings the focus and the caret back
// to the box being edited.
void CheckFocusAfterRestore(const Calculator& calculator) {
  const HWND box = calculator.Control("Text3");
  ClickInto(box);
  PostMessageW(box, WM_CHAR, L'9', 1);
  Sleep(150);
  PostMessageW(calculator.window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Sleep(300);
  PostMessageW(calculator.window, WM_SYSCOMMAND, SC_RESTORE, 0);
  Sleep(300);
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(calculator.process.dwThreadId, &info);
  Check(info.hwndFocus == box && info.hwndCaret == box,
        "after minimize and restore, focus and caret are back in the box");

  // As a window manager does it: the X window iconified and activated
  // again, by xdotool through the window manager the test runs.
  const auto x_window = reinterpret_cast<UINT_PTR>(
      GetPropW(calculator.window, L"__wine_x11_whole_window"));
  bool minimized = false;
  for (const char* verb : {"windowminimize", "windowactivate"}) {
    std::wstring command =
        L"xdotool " + tasa::Widen(verb) + L" " + std::to_wstring(x_window);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION xdotool{};
    if (CreateProcessW(L"Z:\\usr\\bin\\xdotool", command.data(), nullptr,
                       nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &xdotool)) {
      WaitForSingleObject(xdotool.hProcess, 10000);
      CloseHandle(xdotool.hThread);
      CloseHandle(xdotool.hProcess);
    }
    Sleep(1000);
    minimized = minimized || IsIconic(calculator.window);
  }
  GetGUIThreadInfo(calculator.process.dwThreadId, &info);
  Check(minimized && !IsIconic(calculator.window) && info.hwndFocus == box &&
            info.hwndCaret == box,
        "after the window manager minimizes and restores it, focus and caret "
        "are back in the box");
}

// A paste keeps what comes before the first line break, inserted at the
// caret or over the selection, and the text around it.
void CheckPastes(const Calculator& calculator) {
  const struct {
    const wchar_t* pasted;
    const char* name;
    int from, to;  // the selection it replaces in "12"
    const wchar_t* kept;
  } pastes[] = {
      {L"5\n6", "LF", 0, 0, L"512"},
      {L"5\r6", "a lone CR", 1, 1, L"152"},
      {L"5\r\n6", "CR LF", 1, 2, L"15"},
      {L"5\u00856", "U+0085", 0, 2, L"5"},
      {L"5\u20286", "U+2028", 2, 2, L"125"},
      {L"5\u20296", "U+2029", 0, 0, L"512"},
  };
  const HWND box = calculator.Control("Text2");
  for (const auto& paste : pastes) {
    const std::size_t bytes = (wcslen(paste.pasted) + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), paste.pasted, bytes);
    GlobalUnlock(memory);
    if (OpenClipboard(nullptr)) {
      EmptyClipboard();
      SetClipboardData(CF_UNICODETEXT, memory);
      CloseClipboard();
    }
    calculator.SetText("Text2", L"12");
    SendMessageW(box, EM_SETSEL, paste.from, paste.to);
    SendMessageW(box, WM_PASTE, 0, 0);
    Check(calculator.Text("Text2") == paste.kept,
          std::string("a paste with ") + paste.name + " keeps " +
              Utf8(calculator.Text("Text2")));
  }
}

// Which buttons show the default-button frame.
std::vector<std::string> Framed(const Calculator& calculator) {
  std::vector<std::string> framed;
  for (const char* name : {"Command1", "Command2", "Command4"}) {
    if ((GetWindowLongW(calculator.Control(name), GWL_STYLE) & BS_TYPEMASK) ==
        BS_DEFPUSHBUTTON) {
      framed.emplace_back(name);
    }
  }
  return framed;
}

std::string Listed(const std::vector<std::string>& names) {
  std::string list = ":";
  for (const std::string& name : names) list += " " + name;
  return list;
}

// The frame is on the focused button, which Return clicks, and on none
// while a box has the focus, where Return clicks nothing.
void CheckDefaultFrame(const Calculator& calculator) {
  ClickInto(calculator.Control("Text3"));
  PressKey(calculator.Control("Text3"), VK_TAB);
  Check(Framed(calculator) == std::vector<std::string>{"Command1"},
        "Tab to N.Anual frames it alone" + Listed(Framed(calculator)));
  ClickInto(calculator.Control("Text2"));
  Check(Framed(calculator).empty(),
        "a click into a box leaves no button framed");
  PressKey(calculator.Control("Text2"), VK_TAB);
  PressKey(calculator.Control("Text3"), VK_TAB);
  PressKey(calculator.Control("Command1"), VK_TAB);
  Check(Framed(calculator) == std::vector<std::string>{"Command2"},
        "Tab on to N.Mensual moves the frame to it alone" +
            Listed(Framed(calculator)));
}

// Return and Space on the focused button click it, through the calculator's
// own message loop.
void CheckKeys(const Calculator& calculator) {
  const HWND annual = calculator.Control("Command1");
  SendMessageW(annual, BM_CLICK, 0, 0);  // a click leaves the focus on it
  Check(calculator.Focus() == annual, "a click leaves the focus on N.Anual");
  calculator.SetText("Text2", L"12");

  const struct {
    const char* key;
    WPARAM virtual_key;
    LPARAM scan_code;
    const wchar_t* rate;
    const wchar_t* annual;  // leading digits of the expected result
  } presses[] = {{"Return", VK_RETURN, 0x1C, L"2", L"26,82417945625"},
                 {"Space", VK_SPACE, 0x39, L"3", L"42,57608868461"}};
  for (const auto& press : presses) {
    calculator.SetText("Text3", press.rate);
    PostMessageW(annual, WM_KEYDOWN, press.virtual_key,
                 press.scan_code << 16 | 1);
    PostMessageW(annual, WM_KEYUP, press.virtual_key,
                 press.scan_code << 16 | 0xC0000001);
    Sleep(300);
    Check(calculator.Text("Text1").rfind(press.annual, 0) == 0,
          std::string(press.key) +
              " clicks the focused button: " + Utf8(calculator.Text("Text1")));
  }
}

void CheckResources(const std::wstring& exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  std::vector<unsigned char> version(size);
  bool read =
      size != 0 && GetFileVersionInfoW(exe.c_str(), 0, size, version.data());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  read = read && VerQueryValueW(version.data(), L"\\",
                                reinterpret_cast<void**>(&fixed), &length);
  Check(read && fixed->dwFileVersionMS == 0x00010000 &&
            fixed->dwFileVersionLS == 0 &&
            fixed->dwProductVersionMS == 0x00010000 &&
            fixed->dwProductVersionLS == 0,
        "file and product version 1.0.0.0");
  for (const wchar_t* key : {L"FileVersion", L"ProductVersion"}) {
    wchar_t* value = nullptr;
    const std::wstring path =
        std::wstring(L"\\StringFileInfo\\0C0A04B0\\") + key;
    const bool found =
        read && VerQueryValueW(version.data(), path.c_str(),
                               reinterpret_cast<void**>(&value), &length);
    Check(found && std::wstring(value) == L"1.00",
          Utf8(key) + " reads \"1.00\"");
  }

  const HMODULE module =
      LoadLibraryExW(exe.c_str(), nullptr,
                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  const HRSRC group =
      FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));
  Check(group != nullptr && SizeofResource(module, group) == 6 + 3 * 14,
        "icon group 1 of three");
  const struct {
    int id, size, colours;
  } images[] = {{30001, 32, 2}, {30002, 32, 16}, {30003, 16, 16}};
  for (const auto& image : images) {
    const HRSRC found =
        FindResourceW(module, MAKEINTRESOURCEW(image.id), MAKEINTRESOURCEW(3));
    HICON icon = nullptr;
    if (found != nullptr) {
      auto* bits =
          static_cast<BYTE*>(LockResource(LoadResource(module, found)));
      icon = CreateIconFromResourceEx(bits, SizeofResource(module, found), TRUE,
                                      0x00030000, image.size, image.size, 0);
    }
    Check(icon != nullptr, "icon image " + std::to_string(image.id) + " loads");
    if (icon != nullptr) DestroyIcon(icon);
  }
  if (module != nullptr) FreeLibrary(module);
}

// Every caption shows whole in the font its control draws with, made for
// `dpi` and not scaled twice, and every control stands where the twips put
// it at that resolution.
void CheckCaptions(HWND window, UINT dpi, const std::string& where) {
  const auto height = [dpi](int half_points) {
    return -MulDiv(half_points, static_cast<int>(dpi), 2 * 72);
  };
  const auto font_of = [](HWND control) {
    LOGFONTW look{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)),
               sizeof look, &look);
    return look;
  };
  const tasa::FormDescription& form = tasa::Form1Description();
  // The size each caption takes, as measured here: the largest, from 8
  // points down in half points, at which it and those that stand with it
  // show whole.
  const std::vector<int> fitting = tasa::FittedCaptionSizes(
      form, [&](const ControlDescription& control, int half_points) {
        const HWND hwnd = GetDlgItem(window, tasa::ControlId(control));
        RECT room{};
        GetClientRect(hwnd, &room);
        // A button's caption stands inside its edges and focus rectangle.
        const int margin = control.kind == ControlKind::PushButton
                               ? MulDiv(4, static_cast<int>(dpi), 96)
                               : 0;
        LOGFONTW tried_look = font_of(hwnd);
        tried_look.lfHeight = height(half_points);
        const HFONT tried = CreateFontIndirectW(&tried_look);
        const HDC dc = GetDC(hwnd);
        const HGDIOBJ previous = SelectObject(dc, tried);
        RECT needed{};
        DrawTextW(dc, tasa::Widen(control.caption).c_str(), -1, &needed,
                  DT_CALCRECT | DT_SINGLELINE);
        SelectObject(dc, previous);
        ReleaseDC(hwnd, dc);
        DeleteObject(tried);
        return needed.right <= room.right - 2 * margin &&
               needed.bottom <= room.bottom - margin;
      });
  bool placed = true;
  bool sized = true;
  std::string clipped;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const HWND hwnd = GetDlgItem(window, tasa::ControlId(form.controls[i]));
    placed = placed && StandsAt(window, hwnd, layout.controls.at(i),
                                static_cast<int>(dpi));
    const LONG shown = font_of(hwnd).lfHeight;
    sized =
        sized && std::abs(shown) <= std::abs(height(16)) &&
        (form.controls[i].kind != ControlKind::TextBox || shown == height(16));
    if (shown != height(fitting[i])) {
      clipped.append(" ").append(form.controls[i].name);
    }
  }
  Check(placed, where + ": controls stand where the twips put them");
  Check(sized, where +
                   ": the font is at most 8 points, made for the DPI once; 8 "
                   "in the boxes");
  Check(clipped.empty(),
        where +
            ": every caption shows whole, with those that stand with it, in "
            "the largest half point at which all of them fit" +
            clipped);
}

// The tooltip control the window made, if it made one.
BOOL CALLBACK FindTooltip(HWND candidate, LPARAM search) {
  auto* found = reinterpret_cast<std::pair<HWND, HWND>*>(search);
  wchar_t class_name[32] = {};
  GetClassNameW(candidate, class_name, 32);
  if (lstrcmpiW(class_name, TOOLTIPS_CLASSW) == 0 &&
      GetWindow(candidate, GW_OWNER) == found->first) {
    found->second = candidate;
  }
  return TRUE;
}
HWND TooltipOf(HWND window) {
  std::pair<HWND, HWND> search(window, nullptr);
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip,
                    reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring TooltipText(HWND window, HWND box) {
  const HWND tooltip = TooltipOf(window);
  if (tooltip == nullptr) return L"(no tooltip)";
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = window;
  tool.uId = reinterpret_cast<UINT_PTR>(box);
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, std::size(text),
               reinterpret_cast<LPARAM>(&tool));
  return text;
}

// Whether a box's pixels are those of `text` drawn in its font at the top
// left of its formatting rectangle, on the colours it is given.
bool Painted(HWND box, const std::wstring& text) {
  RECT client{}, room{};
  GetClientRect(box, &client);
  SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
  const HDC screen = GetDC(box);
  const HDC drawn = CreateCompatibleDC(screen);
  const HBITMAP bitmap =
      CreateCompatibleBitmap(screen, client.right, client.bottom);
  const HGDIOBJ previous_bitmap = SelectObject(drawn, bitmap);
  const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      GetParent(box), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(drawn),
      reinterpret_cast<LPARAM>(box)));
  FillRect(drawn, &client, brush);
  const HGDIOBJ previous_font = SelectObject(
      drawn, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SetBkMode(drawn, TRANSPARENT);
  DrawTextW(drawn, text.c_str(), -1, &room,
            DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP);
  bool same = true;
  for (int y = 0; y < client.bottom && same; ++y) {
    for (int x = 0; x < client.right && same; ++x) {
      same = GetPixel(screen, x, y) == GetPixel(drawn, x, y);
    }
  }
  SelectObject(drawn, previous_font);
  SelectObject(drawn, previous_bitmap);
  DeleteObject(bitmap);
  DeleteDC(drawn);
  ReleaseDC(box, screen);
  return same;
}

// IAccessible's id, written out: MinGW's oleacc import library gives the
// address of a jump into the DLL under that name.
constexpr IID kAccessibleId = {
    0x618736e0,
    0x3c3d,
    0x11cf,
    {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// What a screen reader calls a control, and says after that, through
// oleacc.
std::pair<std::wstring, std::wstring> AccessibleName(HWND control) {
  IUnknown* unknown = nullptr;
  std::wstring name = L"(none)", description;
  if (FAILED(AccessibleObjectFromWindow(
          control, static_cast<DWORD>(OBJID_CLIENT), IID_IUnknown,
          reinterpret_cast<void**>(&unknown)))) {
    return {name, description};
  }
  IAccessible* accessible = nullptr;
  if (SUCCEEDED(unknown->QueryInterface(
          kAccessibleId, reinterpret_cast<void**>(&accessible)))) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (SUCCEEDED(accessible->get_accName(self, &text)) && text != nullptr) {
      name = text;
      SysFreeString(text);
    }
    if (SUCCEEDED(accessible->get_accDescription(self, &text)) && text) {
      description = text;
      SysFreeString(text);
    }
    accessible->Release();
  }
  unknown->Release();
  return {name, description};
}

// What a screen reader, in a process of its own, hears a box called and
// described as.
void CheckScreenReaderNames(const Calculator& calculator) {
  CoInitialize(nullptr);
  for (const auto& [name, label, unit] :
       {std::tuple{"Text1", L"Tasa Norvanta Anual", L"por ciento"},
        std::tuple{"Text2", L"Periodos Capitalizacion", L""},
        std::tuple{"Text3", L"Tasa Norvanta Mensual", L"por ciento"}}) {
    const auto [said, described] = AccessibleName(calculator.Control(name));
    Check(said == label && described == unit,
          std::string("a screen reader names ") + name + " \"" + Utf8(said) +
              "\", described \"" + Utf8(described) + "\"");
  }
  CoUninitialize();
}

// What the window hands UI Automation's notification event.
std::wstring announced;
HRESULT WINAPI HearNotification(IRawElementProviderSimple*, int, int, BSTR text,
                                BSTR) {
  announced = text;
  return S_OK;
}

// Refuses to make edit controls, as Windows would when it cannot.
LRESULT CALLBACK RefuseBoxes(int code, WPARAM w, LPARAM l) {
  const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(l);
  if (code == HCBT_CREATEWND && !IS_INTRESOURCE(create->lpcs->lpszClass) &&
      lstrcmpiW(create->lpcs->lpszClass, L"EDIT") == 0) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, w, l);
}

// When a control cannot be made there is no window, and the report says so
// until it is closed: the half-made window's end posts no WM_QUIT to close
// it at once.
void CheckStartupFailure() {
  const HHOOK hook =
      SetWindowsHookExW(WH_CBT, RefuseBoxes, nullptr, GetCurrentThreadId());
  const tasa::Win32Form1 form(GetModuleHandleW(nullptr));
  UnhookWindowsHookEx(hook);
  MSG quit{};
  Check(form.handle() == nullptr &&
            !PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE),
        "a control that cannot be made: no window, and no WM_QUIT");
  Calculator self;  // this process, its report read and closed from a thread
  self.process.dwProcessId = GetCurrentProcessId();
  self.process.dwThreadId = GetCurrentThreadId();
  SeenBox seen;
  std::thread reader([&seen, &self] { seen = CloseMessageBox(self); });
  tasa::ReportStartupFailure(form.startup_error());
  reader.join();
  Check(seen.closed && seen.text.find(L"No se pudo abrir la ventana") !=
                           std::wstring::npos,
        "and the report of it shows until closed: " + Utf8(seen.text));
}

// A window of the driver's own, for what only its own process sees.
void CheckOwnWindow() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  tasa::Win32Form1 form(instance);
  Check(form.handle() != nullptr, "a window made in this process");
  if (form.handle() == nullptr) return;
  ShowWindow(form.handle(), SW_SHOWNOACTIVATE);
  const auto box = [&form](const char* name) {
    return GetDlgItem(form.handle(), tasa::ControlId(Described(name)));
  };

  for (const UINT dpi : {96u, 120u, 144u, 192u}) {
    RECT suggested{};
    GetWindowRect(form.handle(), &suggested);
    SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    CheckCaptions(form.handle(), dpi, "at " + std::to_string(dpi) + " dpi");
  }

  // Without the per-monitor functions of Windows 10, as on Windows 7.
  tasa::Win32Form1 windows7(instance, tasa::Dpi::OfWindows7());
  RECT client{};
  GetClientRect(windows7.handle(), &client);
  const int dpi = SystemDpi();
  Check(client.right == tasa::TwipsToPixels(layout.window.width, dpi) &&
            client.bottom == tasa::TwipsToPixels(layout.window.height, dpi),
        "with Windows 7's functions the client area is right too");
  CheckCaptions(windows7.handle(), static_cast<UINT>(dpi),
                "with Windows 7's functions");
  tasa::Win32Form1 windows81(instance, tasa::Dpi::OfWindows81());
  CheckCaptions(windows81.handle(), static_cast<UINT>(dpi),
                "with Windows 8.1's GetDpiForMonitor");

  // A text wider than its box is its tooltip, whole up to 80 code points
  // (U+1F600 is one), else cut after 79 with an ellipsis; one that fits has
  // none.
  std::string emoji;  // 80 of them
  for (int i = 0; i < 80; ++i) emoji += "\U0001F600";
  for (const auto& [text, tip] :
       std::initializer_list<std::pair<std::string, std::string>>{
           {"1,6358287111889E+45", "1,6358287111889E+45"},
           {"5", ""},
           {std::string(200, '7'), std::string(79, '7') + "\u2026"},
           {emoji, emoji},
           {emoji + "\U0001F600", emoji.substr(0, 79 * 4) + "\u2026"}}) {
    form.Box(tasa::BoxName::Text1).WriteText(text);
    const std::wstring shown = TooltipText(form.handle(), box("Text1"));
    Check(shown == tasa::Widen(tip), "tooltip: " + Utf8(shown));
  }

  // Without the focus a number too long for its box shows shortened, its
  // exponent kept, and the box paints just that; its text stays whole.
  const std::string whole = "2,73958942549507E-05";
  form.Box(tasa::BoxName::Text3).WriteText(whole);
  SetFocus(box("Text1"));
  const std::wstring shown =
      form.NumberBoxOf(tasa::BoxName::Text3).ShownWithoutFocus();
  RedrawWindow(box("Text3"), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  Check(shown != tasa::Widen(whole) && shown.ends_with(L"E-05") &&
            TextOf(box("Text3")) == tasa::Widen(whole) &&
            Painted(box("Text3"), shown) &&
            !Painted(box("Text3"), tasa::Widen(whole)),
        "a number too long for its box shows as " + Utf8(shown) +
            ", its text whole");

  // A click announces its result, whole and with its unit, where Windows
  // has the notification event; without it, it works as before.
  using Heard = std::pair<tasa::Notifications::Raise, const wchar_t*>;
  for (const auto& [event, heard] :
       {Heard{HearNotification,
              L"Tasa Norvanta Anual 12,682503013197 por ciento"},
        Heard{nullptr, L""}}) {
    tasa::Win32Form1 window(instance, tasa::Dpi::OfThisWindows(),
                            tasa::Notifications(event));
    window.Box(tasa::BoxName::Text3).WriteText("1");
    window.Box(tasa::BoxName::Text2).WriteText("12");
    announced.clear();
    SendMessageW(
        GetDlgItem(window.handle(), tasa::ControlId(Described("Command1"))),
        BM_CLICK, 0, 0);
    Check(announced == heard &&
              TextOf(GetDlgItem(window.handle(),
                                tasa::ControlId(Described("Text1")))) ==
                  L"12,682503013197",
          "N.Anual announces \"" + Utf8(announced) + "\"");
  }
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  if (argc != 3) {
    std::printf("usage: form1_driver CALCULATOR.exe FORM1_LAYOUT.tsv\n");
    return 2;
  }
  layout = ReadForm1Layout(std::ifstream(argv[2]));
  SetProcessDPIAware();  // see the screen as the calculator does
  const std::wstring exe = argv[1];
  Calculator calculator;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring command = L"\"" + exe + L"\"";
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &calculator.process)) {
    std::printf("not ok - cannot start the calculator\n0 passed, 1 failed\n");
    return 1;
  }
  WaitForInputIdle(calculator.process.hProcess, 10000);
  calculator.window =
      WaitForWindow(tasa::kForm1ClassName,
                    tasa::Widen(tasa::Form1Description().caption).c_str(),
                    calculator.process.dwProcessId);
  Check(calculator.window != nullptr, "the window appears with its caption");

  if (calculator.window != nullptr) {
    CheckLayout(calculator);
    CheckFocusAndTabOrder(calculator);
    CheckButtons(calculator);
    CheckKeys(calculator);
    CheckFocusAfterRestore(calculator);
    CheckPastes(calculator);
    CheckDefaultFrame(calculator);
    CheckScreenReaderNames(calculator);
    PostMessageW(calculator.window, WM_CLOSE, 0, 0);
  }
  const bool ended =
      WaitForSingleObject(calculator.process.hProcess, 10000) == WAIT_OBJECT_0;
  DWORD exit_code = 1;
  GetExitCodeProcess(calculator.process.hProcess, &exit_code);
  Check(ended && exit_code == 0, "WM_CLOSE ends the program with exit code 0");
  if (!ended) TerminateProcess(calculator.process.hProcess, 1);
  CloseHandle(calculator.process.hThread);
  CloseHandle(calculator.process.hProcess);

  CheckResources(exe);
  CheckStartupFailure();
  CheckOwnWindow();
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
