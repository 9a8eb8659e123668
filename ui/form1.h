#pragma once

#include <QWidget>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/word_store.h"
#include "dialog/window_system.h"

class QModelIndex;
class QStringListModel;
namespace Ui {
class Form1;
}

namespace velmora {

class CenteredOpenDialog;
class Clock;
class MessageSink;
class RuntimeError;

// What the build button needs of the outside world besides message boxes:
// the window system the Open dialog runs on, the form's handle in it, and the
// clock that names the new dictionary. Left empty, the window uses the Qt
// window system (and its own handle there) and the system clock.
struct BuildServices {
  WindowSystem* windows = nullptr;
  WindowHandle form_handle = 0;  // with `windows` only
  const Clock* clock = nullptr;
};

// The program's one window. Its controls come from form1.ui, each named as
// the rest of the program knows it: Frame1..Frame6, Label1..Label7, Text1,
// Text3..Text5, Command1..Command4, Command6, File1, List2, and the three
// option buttons Option1_0, Option1_1, Option1_2, whose suffix is the index
// the Option1 handler receives (4, 3 and 2 letters). Positions are the
// classic twips divided by 15, at 96 dpi; Qt scales them on other screens.
//
// The window holds the word store and the search settings and forwards every
// event to the core. Each handler is guarded: a failure is shown in a
// message box titled "Велмора" with the error's number and text, the window
// stays usable, and the word store is as it was before the command.
class Form1 : public QWidget {
  Q_OBJECT

 public:
  // `messages` receives every message box and must outlive the window, as
  // must the services given.
  explicit Form1(MessageSink& messages, BuildServices services = {}, QWidget* parent = nullptr);
  ~Form1() override;

  // The Load event: finds the folder "dict" beside `executable_folder`,
  // lists its ordinary files in File1 and gives the search settings their
  // start values. When the folder is missing or holds no ordinary file, it
  // shows the message titled "Велмора" and returns false; the caller must
  // then end the process without showing the window.
  bool load(const std::filesystem::path& executable_folder);

  // Start-up: load(), and when it succeeds shows the window with the focus
  // on Command1. Returns whether the window is shown.
  bool start(const std::filesystem::path& executable_folder);

  // Loads the dictionary file `fname` (a name in the dictionary folder, as
  // File1 lists it) into the word store and shows the new count in Label2.
  // Throws RuntimeError naming the file; the store is then unchanged.
  void add_file(const std::string& fname);

  // The state the handlers keep, for whoever needs to look at it.
  const SearchSettings& settings() const { return settings_; }
  std::int32_t word_count() const { return store_.count(); }
  // The dictionary folder (ending in a separator) once load() succeeded.
  const std::string& dict_path() const { return dict_path_; }

 private:
  void connect_handlers();

  void command1_click();
  void command2_click();
  void command3_click();
  void command4_click();
  void text1_change(const QString& text);
  void option1_click(int index);
  void list2_click();
  void command6_click();
  void refresh_file_list();

  // Runs one handler, reporting whatever it throws instead of letting it
  // escape into the event loop.
  template <class Handler>
  void guarded(Handler&& handler);
  void report(const RuntimeError& error);
  void show_count();

  std::unique_ptr<Ui::Form1> ui_;
  MessageSink& messages_;
  QStringListModel* results_;  // List2's items; owned by the window

  // The Open dialog keeps its record from call to call, so it lives as long
  // as the window.
  std::unique_ptr<WindowSystem> own_windows_;
  std::unique_ptr<Clock> own_clock_;
  WindowSystem* windows_;
  WindowHandle form_handle_;
  const Clock* clock_;
  std::unique_ptr<CenteredOpenDialog> open_dialog_;

  std::string dict_path_;
  std::vector<std::string> dict_files_;  // File1's names, in the order shown
  WordStore store_;
  SearchSettings settings_;
};

}  // namespace velmora
