#include "dialog/centered_open_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "fake_window_system.h"
#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"

namespace velmora {
namespace {

using testing::DialogScript;
using testing::FakeWindowSystem;
using Lines = std::vector<std::string>;

constexpr WindowHandle kOwner = 7;
constexpr WindowHandle kDialog = 9;
constexpr WindowHandle kLater = 11;  // a window activated after the dialog
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

Rect sized(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
  return {left, top, left + width, top + height};
}

std::string move_to(std::int32_t x, std::int32_t y, WindowHandle window = kDialog) {
  return "set_window_pos " + std::to_string(window) + " 0 " + std::to_string(x) + " " +
         std::to_string(y) + " 0 0 0x15";
}

DialogScript activate_then_cancel() { return {{{kHcbtActivate, kDialog}}, {}, std::nullopt}; }

std::u16string blanks(std::size_t count) { return std::u16string(count, u' '); }

// Runs one call with the dialog's activation and returns the moves it made.
Lines moves_of_one_call(FakeWindowSystem& windows, std::int16_t center_on_owner) {
  windows.dialogs.push_back(activate_then_cancel());
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, center_on_owner);
  return windows.moves();
}

TEST(CentreOnScreen, Examples) {
  const struct {
    const char* what;
    ScreenMetrics screen;
    Rect dialog;
    Lines expected;
  } cases[] = {
      {"563 x 419: 230.5 and 174.5 go to the even neighbour",
       {15360, 11520, 15, 15},
       sized(40, 30, 563, 419),
       {move_to(230, 174)}},
      {"565 x 421: 229.5 and 173.5 go up to the even neighbour",
       {15360, 11520, 15, 15},
       sized(-5, 900, 565, 421),
       {move_to(230, 174)}},
      {"even sizes need no rounding",
       {15360, 11520, 15, 15},
       sized(0, 0, 564, 420),
       {move_to(230, 174)}},
      {"1 x 1: 511.5 and 383.5 round up",
       {15360, 11520, 15, 15},
       sized(0, 0, 1, 1),
       {move_to(512, 384)}},
      {"3 x 3: 510.5 and 382.5 round down",
       {15360, 11520, 15, 15},
       sized(0, 0, 3, 3),
       {move_to(510, 382)}},
      {"larger than the screen: negative, not clamped",
       {15360, 11520, 15, 15},
       sized(0, 0, 2000, 1000),
       {move_to(-488, -116)}},
      {"odd screen 1025 x 767: 512.5 and 383.5",
       {1025 * 15, 767 * 15, 15, 15},
       sized(0, 0, 0, 0),
       {move_to(512, 384)}},
      {"12 twips per pixel on X, 20 on Y",
       {1280 * 12, 1024 * 20, 12, 20},
       sized(0, 0, 400, 300),
       {move_to(440, 362)}},
      {"inverted rectangle gives a negative width",
       {15360, 11520, 15, 15},
       {100, 100, 0, 0},
       {move_to(562, 434)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindowSystem windows;
    windows.screen = c.screen;
    windows.rects[kDialog] = c.dialog;
    EXPECT_EQ(moves_of_one_call(windows, 0), c.expected);
  }
}

TEST(CentreOnScreen, FailedRectangleCountsAsZero) {
  FakeWindowSystem windows;  // no rectangle for the dialog
  EXPECT_EQ(moves_of_one_call(windows, 0), Lines{move_to(512, 384)});
}

TEST(CentreOnOwner, Examples) {
  const struct {
    const char* what;
    Rect owner;
    Rect dialog;
    Lines expected;
  } cases[] = {
      {"owner (100,50)-(701,451), 400 x 300: 200.5 and 100.5",
       {100, 50, 701, 451},
       sized(0, 0, 400, 300),
       {move_to(200, 100)}},
      {"odd dialog, even owner", {100, 50, 700, 450}, sized(0, 0, 401, 301), {move_to(200, 100)}},
      {"near the right and bottom edge: past the screen, not clamped",
       {900, 700, 1100, 800},
       sized(0, 0, 400, 300),
       {move_to(800, 600)}},
      {"owner off the top-left: negative corner passed on",
       {-300, -200, -100, -100},
       sized(0, 0, 400, 300),
       {move_to(-400, -300)}},
      {"-0.5 rounds to 0, -1.5 to -2", {-1, -2, 0, -1}, sized(0, 0, 0, 2), {move_to(0, -2)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindowSystem windows;
    windows.rects[kOwner] = c.owner;
    windows.rects[kDialog] = c.dialog;
    EXPECT_EQ(moves_of_one_call(windows, -1), c.expected);
  }
}

TEST(CentreOnOwner, FailedOwnerRectangleCountsAsZero) {
  FakeWindowSystem windows;
  windows.rects[kDialog] = sized(500, 500, 400, 300);
  EXPECT_EQ(moves_of_one_call(windows, -1), Lines{move_to(-200, -150)});
}

TEST(CenterOnOwnerArgument, OnlyMinusOneMeansTheOwner) {
  const struct {
    std::int16_t value;
    std::string expected;
  } cases[] = {
      {-1, move_to(200, 100)}, {0, move_to(312, 234)},     {1, move_to(312, 234)},
      {-2, move_to(312, 234)}, {32767, move_to(312, 234)}, {-32768, move_to(312, 234)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    FakeWindowSystem windows;
    windows.rects[kOwner] = {100, 50, 701, 451};
    windows.rects[kDialog] = sized(0, 0, 400, 300);
    EXPECT_EQ(moves_of_one_call(windows, c.value), Lines{c.expected});
  }
}

TEST(OpenFileDialog, CallsInOrder) {
  const struct {
    std::int16_t center_on_owner;
    Lines expected;
  } cases[] = {
      {0,
       {"get_window_long 7 -6", "get_current_thread_id", "set_windows_hook_ex 5 285212672 4242",
        "get_open_file_name", "get_window_rect 9", "screen_metrics 9", move_to(230, 174),
        "unhook_windows_hook_ex 1281", "dialog closed"}},
      {-1,
       {"get_window_long 7 -6", "get_current_thread_id", "set_windows_hook_ex 5 285212672 4242",
        "get_open_file_name", "get_window_rect 7", "get_window_rect 9", move_to(-282, -210),
        "unhook_windows_hook_ex 1281", "dialog closed"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.center_on_owner);
    FakeWindowSystem windows;
    windows.rects[kDialog] = sized(0, 0, 563, 419);
    windows.dialogs.push_back(activate_then_cancel());
    CenteredOpenDialog dialog(windows);
    EXPECT_EQ(dialog.open_file_dialog(kOwner, c.center_on_owner), u"");
    EXPECT_EQ(windows.log, c.expected);
    EXPECT_EQ(windows.hook_results, std::vector<std::int32_t>{0});
  }
}

TEST(Hook, OtherCodesLeaveItInstalledAndMoveNothing) {
  FakeWindowSystem windows;
  windows.rects[kDialog] = sized(0, 0, 563, 419);
  // Creation, focus and minimise/maximise notifications, then the activation.
  windows.dialogs.push_back({{{3, kDialog},
                              {9, kDialog},
                              {1, kDialog},
                              {0, kDialog},
                              {-1, kDialog},
                              {kHcbtActivate, kDialog}},
                             {},
                             std::nullopt});
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, 0);
  EXPECT_EQ(windows.hook_results, (std::vector<std::int32_t>{0, 0, 0, 0, 0, 0}));
  const Lines inside(windows.log.begin() + 3, windows.log.end());
  EXPECT_EQ(inside, (Lines{"get_open_file_name", "get_window_rect 9", "screen_metrics 9",
                           move_to(230, 174), "unhook_windows_hook_ex 1281", "dialog closed"}));
}

TEST(Hook, ProcedureCalledDirectlyWithAnotherCodeDoesNothing) {
  for (const std::int32_t code : {0, 1, 3, 4, 6, 9, -1}) {
    SCOPED_TRACE(code);
    FakeWindowSystem windows;
    CenteredOpenDialog dialog(windows);
    EXPECT_EQ(dialog.center_on_screen_hook(code, kDialog, 0), 0);
    EXPECT_EQ(dialog.center_on_owner_hook(code, kDialog, 0), 0);
    EXPECT_EQ(windows.log, Lines{});
  }
}

TEST(Hook, ActsOnlyOnce) {
  FakeWindowSystem windows;
  windows.rects[kDialog] = sized(0, 0, 563, 419);
  windows.rects[kOwner] = sized(0, 0, 100, 100);
  // The dialog, then the owner when the dialog closes, then a message box.
  windows.dialogs.push_back(
      {{{kHcbtActivate, kDialog}, {kHcbtActivate, kOwner}, {kHcbtActivate, kLater}},
       {},
       std::nullopt});
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, 0);
  EXPECT_FALSE(windows.fire(kHcbtActivate, kLater));
  EXPECT_EQ(windows.moves(), Lines{move_to(230, 174)});
  EXPECT_EQ(windows.hook_results, std::vector<std::int32_t>{0});
}

TEST(Hook, EachCallInstallsItsOwnAndRemovesThatOne) {
  FakeWindowSystem windows;
  windows.rects[kDialog] = sized(0, 0, 563, 419);
  windows.dialogs = {activate_then_cancel(), activate_then_cancel()};
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, 0);
  dialog.open_file_dialog(kOwner, 0);
  Lines hooks;
  for (const std::string& entry : windows.log) {
    if (entry.find("hook") != std::string::npos) hooks.push_back(entry);
  }
  EXPECT_EQ(hooks, (Lines{"set_windows_hook_ex 5 285212672 4242", "unhook_windows_hook_ex 1281",
                          "set_windows_hook_ex 5 285212672 4242", "unhook_windows_hook_ex 1282"}));
}

TEST(Hook, OwnerIsTheLatestCallsOwner) {
  FakeWindowSystem windows;
  windows.rects[kOwner] = {100, 50, 701, 451};
  windows.rects[kLater] = {0, 0, 1000, 1000};
  windows.rects[kDialog] = sized(0, 0, 400, 300);
  windows.dialogs = {activate_then_cancel(), activate_then_cancel()};
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, -1);
  dialog.open_file_dialog(kLater, -1);
  EXPECT_EQ(windows.moves(), (Lines{move_to(200, 100), move_to(300, 350)}));
}

// Sound behaviour beyond the platform's: a dialog that returns before any
// activation reached the hook must not leave it to move a later window.
TEST(Hook, RemovedAfterADialogThatActivatedNothing) {
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok);
    FakeWindowSystem windows;
    windows.rects[kLater] = sized(0, 0, 100, 100);
    windows.dialogs.push_back(
        {{{3, kDialog}}, {}, ok ? std::optional<std::string>("C:\\a.txt") : std::nullopt});
    CenteredOpenDialog dialog(windows);
    dialog.open_file_dialog(kOwner, 0);
    EXPECT_EQ(Lines(windows.log.end() - 2, windows.log.end()),
              (Lines{"dialog closed", "unhook_windows_hook_ex 1281"}));
    EXPECT_FALSE(windows.fire(kHcbtActivate, kLater));
    EXPECT_EQ(windows.moves(), Lines{});
  }
}

TEST(Hook, RefusedHookIsNeitherUsedNorRemoved) {
  FakeWindowSystem windows;
  windows.refuse_hooks = true;
  windows.dialogs.push_back({{{kHcbtActivate, kDialog}}, {}, std::string("C:\\a.txt")});
  CenteredOpenDialog dialog(windows);
  const std::u16string result = dialog.open_file_dialog(kOwner, 0);
  EXPECT_EQ(path_before_nul(result), u"C:\\a.txt");
  EXPECT_EQ(windows.log,
            (Lines{"get_window_long 7 -6", "get_current_thread_id",
                   "set_windows_hook_ex 5 285212672 4242", "get_open_file_name", "dialog closed"}));
}

// The file buffer over a run of calls, against a model of what it must hold:
// every call appends 2047 blanks and a NUL, OK writes the path and a NUL at
// its start, Cancel leaves it.
TEST(FileBuffer, GrowsOnEveryCallAndRemembersThePath) {
  const std::vector<std::optional<std::u16string>> outcomes = {
      std::nullopt, u"C:\\тексты\\стих.txt", std::nullopt,
      u"D:\\b.txt", u"E:\\long\\path.txt",   std::nullopt};
  FakeWindowSystem windows;
  for (const auto& outcome : outcomes) {
    windows.dialogs.push_back(
        {{}, {}, outcome ? std::optional<std::string>(encode_cp1251(*outcome)) : std::nullopt});
  }
  CenteredOpenDialog dialog(windows);
  std::u16string model;
  std::u16string expected_initial_name = blanks(2047);
  for (std::size_t call = 0; call < outcomes.size(); ++call) {
    SCOPED_TRACE(call);
    model += blanks(2047) + u'\0';
    const std::u16string result = dialog.open_file_dialog(kOwner, 0);

    const AnsiOpenFileName& seen = windows.records_received.at(call);
    EXPECT_EQ(seen.nMaxFile, static_cast<std::int32_t>(2048 * (call + 1)));
    EXPECT_EQ(seen.lpstrFile, encode_cp1251(model));
    EXPECT_EQ(path_before_nul(from_ansi(seen).lpstrFile), expected_initial_name);

    if (outcomes[call]) {
      const std::u16string& path = *outcomes[call];
      model.replace(0, path.size() + 1, path + u'\0');
      EXPECT_EQ(result, model);
      EXPECT_EQ(result.size(), 2048 * (call + 1));
      EXPECT_EQ(result.substr(0, path.size() + 1), path + u'\0');
      expected_initial_name = path;
    } else {
      EXPECT_EQ(result, u"");
    }
    EXPECT_EQ(dialog.record().lpstrFile, model);
  }
}

TEST(FileBuffer, FirstCallsAfterCancelOfferBlanks) {
  FakeWindowSystem windows;
  CenteredOpenDialog dialog(windows);  // no script: every dialog is cancelled
  for (int call = 1; call <= 3; ++call) {
    EXPECT_EQ(dialog.open_file_dialog(kOwner, 0), u"");
    EXPECT_EQ(dialog.record().lpstrFile.size(), static_cast<std::size_t>(2048 * call));
  }
  for (const AnsiOpenFileName& seen : windows.records_received) {
    EXPECT_EQ(seen.lpstrFile.substr(0, seen.lpstrFile.find('\0')), std::string(2047, ' '));
  }
}

TEST(Record, WrittenMembersAndFirstCall) {
  FakeWindowSystem windows;
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, 0);
  AnsiOpenFileName expected;
  expected.lStructSize = 76;
  expected.hwndOwner = kOwner;
  expected.lpstrFileTitle = std::string(2048, ' ');
  expected.nMaxFileTitle = 2048;
  expected.lpstrFile = std::string(2047, ' ') + '\0';
  expected.nMaxFile = 2048;
  EXPECT_EQ(windows.records_received.at(0), expected);
}

TEST(Record, WhatTheDialogReturnsGoesIntoTheNextCall) {
  FakeWindowSystem windows;
  windows.dialogs.push_back({{},
                             [](AnsiOpenFileName& r) {
                               r.Flags = 0x1;  // read-only box ticked
                               r.nFileOffset = 3;
                               r.nFileExtension = 9;
                               r.lpstrInitialDir = "C:\\\xD2\xE5\xEA\xF1\xF2";  // "C:\Текст"
                               r.lpstrFileTitle = "a.txt";
                               r.nMaxFileTitle = 5;
                               r.lStructSize = 88;
                               r.hwndOwner = 99;
                             },
                             std::string("C:\\a.txt")});
  windows.dialogs.push_back({{}, [](AnsiOpenFileName& r) { r.Flags = 0x0804; }, std::nullopt});
  CenteredOpenDialog dialog(windows);
  dialog.open_file_dialog(kOwner, 0);
  EXPECT_EQ(dialog.record().lpstrInitialDir, u"C:\\Текст");
  dialog.open_file_dialog(kLater, 0);
  dialog.open_file_dialog(kOwner, 0);

  const auto& seen = windows.records_received;
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[0].Flags, 0);
  EXPECT_EQ(seen[1].Flags, 0x1);
  EXPECT_EQ(seen[2].Flags, 0x0804);  // a cancelled dialog's flags count too
  EXPECT_EQ(seen[1].nFileOffset, 3);
  EXPECT_EQ(seen[1].nFileExtension, 9);
  EXPECT_EQ(seen[1].lpstrInitialDir, "C:\\\xD2\xE5\xEA\xF1\xF2");
  // The members the call writes are written again every time.
  for (std::size_t call = 1; call < seen.size(); ++call) {
    SCOPED_TRACE(call);
    EXPECT_EQ(seen[call].lStructSize, 76);
    EXPECT_EQ(seen[call].lpstrFileTitle, std::string(2048, ' '));
    EXPECT_EQ(seen[call].nMaxFileTitle, 2048);
  }
  EXPECT_EQ(seen[1].hwndOwner, kLater);
  EXPECT_EQ(seen[2].hwndOwner, kOwner);
}

TEST(Record, AnsiCopyCoversEveryTextMemberWithItsNuls) {
  using Member = std::u16string OpenFileName::*;
  using AnsiMember = std::string AnsiOpenFileName::*;
  const struct {
    const char* name;
    Member member;
    AnsiMember ansi_member;
  } members[] = {
      {"lpstrFilter", &OpenFileName::lpstrFilter, &AnsiOpenFileName::lpstrFilter},
      {"lpstrCustomFilter", &OpenFileName::lpstrCustomFilter, &AnsiOpenFileName::lpstrCustomFilter},
      {"lpstrFile", &OpenFileName::lpstrFile, &AnsiOpenFileName::lpstrFile},
      {"lpstrFileTitle", &OpenFileName::lpstrFileTitle, &AnsiOpenFileName::lpstrFileTitle},
      {"lpstrInitialDir", &OpenFileName::lpstrInitialDir, &AnsiOpenFileName::lpstrInitialDir},
      {"lpstrTitle", &OpenFileName::lpstrTitle, &AnsiOpenFileName::lpstrTitle},
      {"lpstrDefExt", &OpenFileName::lpstrDefExt, &AnsiOpenFileName::lpstrDefExt},
      {"lpTemplateName", &OpenFileName::lpTemplateName, &AnsiOpenFileName::lpTemplateName},
  };
  const std::u16string text(u"Тексты\0*.txt\0\0ё  ", 18);
  const std::string bytes("\xD2\xE5\xEA\xF1\xF2\xFB\0*.txt\0\0\xB8  ", 18);
  for (const auto& m : members) {
    SCOPED_TRACE(m.name);
    OpenFileName record;
    record.*m.member = text;
    const AnsiOpenFileName ansi = to_ansi(record);
    EXPECT_EQ(ansi.*m.ansi_member, bytes);
    AnsiOpenFileName expected;
    expected.*m.ansi_member = bytes;
    EXPECT_EQ(ansi, expected);  // and nothing else changed
    EXPECT_EQ(from_ansi(ansi), record);
  }
  OpenFileName record;
  record.lpstrTitle = u"a\u4E2Db";  // not in the code page
  EXPECT_EQ(to_ansi(record).lpstrTitle, "a?b");
}

TEST(Record, NumericMembersCrossUnchanged) {
  OpenFileName record;
  record.lStructSize = 76;
  record.hwndOwner = -5;
  record.hInstance = 0x400000;
  record.nMaxCustFilter = 7;
  record.nFilterIndex = 2;
  record.nMaxFile = 4096;
  record.nMaxFileTitle = 2048;
  record.Flags = static_cast<std::int32_t>(0x80000001u);
  record.nFileOffset = 65535;
  record.nFileExtension = 12;
  record.lCustData = kMin;
  record.lpfnHook = kMax;
  EXPECT_EQ(from_ansi(to_ansi(record)), record);
  EXPECT_EQ(to_ansi(record).Flags, record.Flags);
  EXPECT_EQ(to_ansi(record).nFileOffset, 65535);
}

TEST(PathBeforeNul, Cases) {
  const struct {
    std::u16string buffer;
    std::u16string expected;
  } cases[] = {
      {u"", u""},
      {std::u16string(u"C:\\a.txt\0   \0", 13), u"C:\\a.txt"},
      {std::u16string(u"\0abc", 4), u""},
      {u"no nul", u"no nul"},
      {blanks(2047) + u'\0', blanks(2047)},
  };
  for (const auto& c : cases) EXPECT_EQ(path_before_nul(c.buffer), c.expected);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const struct {
    double value;
    std::int32_t expected;
  } cases[] = {
      {230.5, 230},
      {229.5, 230},
      {0.5, 0},
      {1.5, 2},
      {-0.5, 0},
      {-1.5, -2},
      {-2.5, -2},
      {230.49999999999997, 230},
      {230.50000000000003, 231},
      {0.49999999999999994, 0},
      {-0.49999999999999994, 0},
      {1e9 + 0.5, 1000000000},
      {2147483647.0, kMax},
      {2147483646.5, 2147483646},
      {-2147483648.0, kMin},
      {-2147483648.5, kMin},  // the even neighbour is still in range
      {-2147483647.5, kMin},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(to_screen_coordinate(c.value), c.expected);
  }
}

TEST(Rounding, OutOfRangeOrNotANumberOverflows) {
  for (const double value :
       {2147483647.5, 2147483648.0, -2147483649.0, -2147483649.5, 1e300,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(value);
    try {
      to_screen_coordinate(value);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), kOverflowError);
    }
  }
}

// A failure of the arithmetic inside the hook leaves the window where it is,
// reaches the caller as the runtime's error, and the hook goes all the same.
TEST(Arithmetic, ErrorsReachTheCallerAndTheHookGoes) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const struct {
    const char* what;
    std::int16_t center_on_owner;
    ScreenMetrics screen;
    Rect owner;
    Rect dialog;
    int expected_number;
  } cases[] = {
      {"dialog width", 0, {15360, 11520, 15, 15}, {}, {kMin, 0, 1, 10}, kOverflowError},
      {"dialog height", 0, {15360, 11520, 15, 15}, {}, {0, -10, 10, kMax}, kOverflowError},
      {"dialog width on the owner", -1, {}, {0, 0, 10, 10}, {kMax, 0, -2, 10}, kOverflowError},
      {"owner width", -1, {}, {-2, 0, kMax, 10}, {0, 0, 10, 10}, kOverflowError},
      {"owner height", -1, {}, {0, kMin, 10, 0}, {0, 0, 10, 10}, kOverflowError},
      {"owner edge far right", -1, {}, {kMax - 10, 0, kMax, 0}, {0, 0, -100, 0}, kOverflowError},
      {"zero twips per pixel", 0, {15360, 11520, 0, 15}, {}, {0, 0, 10, 10}, kDivisionByZeroError},
      {"zero by zero", 0, {15360, 0, 15, 0}, {}, {0, 0, 10, 10}, kOverflowError},
      {"not a number", 0, {nan, 11520, 15, 15}, {}, {0, 0, 10, 10}, kOverflowError},
      {"float quotient overflows",
       0,
       {3e38f, 11520, 1e-3f, 15},
       {},
       {0, 0, 10, 10},
       kOverflowError},
      {"screen beyond 32 bits", 0, {1e12f, 11520, 1, 15}, {}, {0, 0, 10, 10}, kOverflowError},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeWindowSystem windows;
    windows.screen = c.screen;
    windows.rects[kOwner] = c.owner;
    windows.rects[kDialog] = c.dialog;
    windows.dialogs.push_back(activate_then_cancel());
    CenteredOpenDialog dialog(windows);
    try {
      dialog.open_file_dialog(kOwner, c.center_on_owner);
      ADD_FAILURE() << "no error";
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), c.expected_number);
      EXPECT_NE(describe(error).find("положения окна"), std::string::npos) << describe(error);
    }
    EXPECT_EQ(windows.moves(), Lines{});
    EXPECT_EQ(windows.log.back(), "unhook_windows_hook_ex 1281");
    EXPECT_FALSE(windows.fire(kHcbtActivate, kLater));
    // The buffer had grown before the dialog opened.
    EXPECT_EQ(dialog.record().lpstrFile.size(), 2048u);
  }
}

}  // namespace
}  // namespace velmora
