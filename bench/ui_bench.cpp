// What a user waits for in the window, driven through the real widgets on
// the offscreen platform: "Загрузить все словари" on the bundled dictionary,
// and "Найти рифмы" for the 2-letter ending "ся", the largest result list.
// Each figure runs from the button's click until the list or counter has
// been repainted. Run it from the build's bin folder, beside dict/.
//
//   velmora-ui-bench [repetitions]

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "runtime/directory.h"
#include "ui/form1.h"
#include "ui/message_sink.h"

namespace {

class PrintingMessageSink : public velmora::MessageSink {
 public:
  void show_message(const QString& title, const QString& text, velmora::MessageIcon) override {
    std::fprintf(stderr, "message box «%s»: %s\n", qPrintable(title), qPrintable(text));
    ++shown;
  }
  int shown = 0;
};

template <class Action>
double milliseconds(Action&& action) {
  const auto start = std::chrono::steady_clock::now();
  action();
  QApplication::processEvents();  // layout and repaint
  const auto stop = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(stop - start).count();
}

void report(const char* what, std::vector<double> times, double limit) {
  std::sort(times.begin(), times.end());
  const double median = times[times.size() / 2];
  std::printf("%-44s median %7.1f ms  min %7.1f  max %7.1f  (limit %.0f ms: %s)\n", what, median,
              times.front(), times.back(), limit, times.back() <= limit ? "within" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;

  QApplication app(argc, argv);
  PrintingMessageSink messages;
  velmora::Form1 form(messages);
  if (!form.start(velmora::executable_folder())) return 1;
  QApplication::processEvents();

  auto* load_all = form.findChild<QPushButton*>("Command1");
  auto* reset = form.findChild<QPushButton*>("Command3");
  auto* find = form.findChild<QPushButton*>("Command4");
  auto* list2 = form.findChild<QListView*>("List2");

  std::vector<double> load_times;
  for (int i = 0; i < repetitions; ++i) {
    reset->click();
    load_times.push_back(milliseconds([&] { load_all->click(); }));
  }
  if (messages.shown != 0) return 1;
  std::printf("bundled dictionary: %d entries\n", form.word_count());

  form.findChild<QLineEdit*>("Text1")->setText(QStringLiteral("ся"));
  form.findChild<QRadioButton*>("Option1_2")->click();
  std::vector<double> find_times;
  for (int i = 0; i < repetitions; ++i) {
    find_times.push_back(milliseconds([&] { find->click(); }));
  }
  if (messages.shown != 0) return 1;
  std::printf("rhymes of \"ся\" with 2 letters: %d in List2\n", list2->model()->rowCount());

  report("Загрузить все словари (Command1)", load_times, 150);
  report("Найти рифмы, \"ся\", 2 буквы (Command4)", find_times, 100);
  return 0;
}
