// Drives the Windows calculator from outside, as a person and as Windows
// itself would: starts it, finds its window by caption and its controls by
// their ids, checks layout, captions, tab order, the three buttons, the
// error report, the executable's resources, and that closing ends it.
//
//   form1_driver CALCULATOR.exe
//
// Prints one line per check and closes with "N passed, M failed".

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "window/form1_description.h"
#include "window/win32/control_ids.h"
#include "window/win32/wide_text.h"

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
  for (int attempt = 0; attempt < 1200; ++attempt) {  // a minute, on a busy machine
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

// The message box that the calculator shows, if any: its text and buttons.
struct SeenBox {
  std::wstring text;
  int buttons = 0;
};
SeenBox CloseMessageBox(const Calculator& calculator) {
  SeenBox seen;
  const HWND box =
      WaitForWindow(L"#32770", nullptr, calculator.process.dwProcessId);
  if (box == nullptr) return seen;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t class_name[32] = {};
    GetClassNameW(child, class_name, 32);
    if (lstrcmpiW(class_name, L"Button") == 0) ++seen.buttons;
    if (lstrcmpiW(class_name, L"Static") == 0) seen.text += TextOf(child);
  }
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(20);
  return seen;
}

void CheckLayout(const Calculator& calculator) {
  const auto& form = tasa::Form1Description();
  RECT client{};
  GetClientRect(calculator.window, &client);
  Check(client.right == tasa::TwipsToPixels(form.client_width) &&
            client.bottom == tasa::TwipsToPixels(form.client_height),
        "client area is " + std::to_string(client.right) + "x" +
            std::to_string(client.bottom));
  Check(TextOf(calculator.window) == tasa::Widen(form.caption), "caption");
  Check((GetWindowLongW(calculator.window, GWL_STYLE) & WS_THICKFRAME) == 0,
        "fixed frame");

  for (const ControlDescription& control : form.controls) {
    std::string name(control.name);
    if (control.index)
      name.append("(").append(std::to_string(*control.index)).append(")");
    const HWND hwnd = GetDlgItem(calculator.window, tasa::ControlId(control));
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, calculator.window, reinterpret_cast<POINT*>(&rect),
                    2);
    Check(hwnd != nullptr && rect.left == tasa::TwipsToPixels(control.left) &&
              rect.top == tasa::TwipsToPixels(control.top) &&
              rect.right - rect.left == tasa::TwipsToPixels(control.width) &&
              rect.bottom - rect.top == tasa::TwipsToPixels(control.height),
          name + " stands at its place");
    wchar_t class_name[32] = {};
    GetClassNameW(hwnd, class_name, 32);
    const wchar_t* expected = control.kind == ControlKind::Label ? L"Static"
                              : control.kind == ControlKind::TextBox
                                  ? L"Edit"
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
  Check(seen.buttons == 1, "the report has one button");
  Sleep(100);
  Check(IsWindow(calculator.window) && IsWindowVisible(calculator.window),
        "the window is still there after the report");
  Check(calculator.Text("Text1") == L"12" && calculator.Text("Text2") == L"0" &&
            calculator.Text("Text3") == L"0,948879293458297",
        "the report changed no box");

  SendMessageW(calculator.Control("Command4"), BM_CLICK, 0, 0);
  Check(calculator.Text("Text1").empty() && calculator.Text("Text2").empty() &&
            calculator.Text("Text3").empty(),
        "Borrar empties the three boxes");
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

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  if (argc != 2) {
    std::printf("usage: form1_driver CALCULATOR.exe\n");
    return 2;
  }
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
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
