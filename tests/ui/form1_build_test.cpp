// The build button end to end: the Open dialog on a scripted window system,
// the builder writing into the dictionary folder, the file list, the report,
// and the window's state during and after, whatever the outcome.

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "fake_window_system.h"
#include "form1_fixture.h"
#include "runtime/timer_text.h"

using velmora::BuildServices;
using velmora::FixedClock;
using velmora::Form1;
using velmora::MessageIcon;
using velmora::testing::DialogScript;
using velmora::testing::FakeWindowSystem;
using velmora::test::control;
using velmora::test::ExecutableFolder;
using velmora::test::RecordingMessageSink;

namespace {

constexpr velmora::WindowHandle kFormHandle = 7;
constexpr velmora::WindowHandle kDialogHandle = 99;
const char* const kFrames[] = {"Frame1", "Frame2", "Frame3", "Frame4", "Frame5", "Frame6"};

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

class Form1BuildTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void builds_lists_and_reports_data();
  void builds_lists_and_reports();
  void frames_are_disabled_while_the_dialog_is_open();
  void dialog_is_centred_on_the_screen();
  void new_dictionary_loads_with_the_load_buttons();
  void nothing_chosen_changes_nothing_data();
  void nothing_chosen_changes_nothing();
  void unwritable_folder_reports_and_keeps_the_window_usable();

 private:
  // Scripts the next dialog to end with OK on `path`.
  void choose(const std::filesystem::path& path) {
    DialogScript script;
    script.notifications = {{velmora::kHcbtActivate, kDialogHandle}};
    script.chosen_path = path.string();
    windows_.dialogs.push_back(script);
  }
  std::filesystem::path write_text(const std::string& name, const std::string& bytes) {
    const auto path = exe_->path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  void click(const char* name) {
    QTest::mouseClick(control<QPushButton>(*form_, name), Qt::LeftButton);
  }
  QStringList file_list() {
    QStringList names;
    auto* file1 = control<QListWidget>(*form_, "File1");
    for (int row = 0; row < file1->count(); ++row) names << file1->item(row)->text();
    return names;
  }
  void expect_window_usable() {
    for (const char* frame : kFrames) QVERIFY2(control(*form_, frame)->isEnabled(), frame);
    QCOMPARE(form_->cursor().shape(), Qt::ArrowCursor);
  }

  std::unique_ptr<ExecutableFolder> exe_;
  RecordingMessageSink messages_;
  FakeWindowSystem windows_;
  FixedClock clock_{45296.55f, ','};
  std::unique_ptr<Form1> form_;
};

void Form1BuildTest::init() {
  exe_ = std::make_unique<ExecutableFolder>();
  exe_->write_dictionary("words.txt", {u"кот"});
  messages_.shown.clear();
  windows_ = FakeWindowSystem();
  windows_.rects[kDialogHandle] = {0, 0, 563, 419};
  form_ = std::make_unique<Form1>(messages_, BuildServices{&windows_, kFormHandle, &clock_});
  QVERIFY(form_->start(exe_->path()));
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void Form1BuildTest::cleanup() {
  form_.reset();
  exe_.reset();
}

void Form1BuildTest::builds_lists_and_reports_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QByteArray>("dictionary");  // Windows-1251 bytes
  QTest::addColumn<int>("words");
  QTest::addRow("cleaned and split")
      << "  Кот-Учёный,  КОТ! учёный кот\r\nдомовой"
      << QByteArray("\xF3\xF7\xB8\xED\xFB\xE9\r\n\xE4\xEE\xEC\xEE\xE2\xEE\xE9\r\n") << 2;
  QTest::addRow("one word in any case") << "Слово слово СЛОВО сЛоВо"
                                        << QByteArray("\xF1\xEB\xEE\xE2\xEE\r\n") << 1;
  QTest::addRow("hyphen, Latin and digits")
      << "северо-запад hello 2024 год"
      << QByteArray("\xF1\xE5\xE2\xE5\xF0\xEE\r\n\xE7\xE0\xEF\xE0\xE4\r\n") << 2;
  QTest::addRow("no long word") << "кот, дом и сад. cats 12345" << QByteArray() << 0;
}

void Form1BuildTest::builds_lists_and_reports() {
  QFETCH(QString, text);
  QFETCH(QByteArray, dictionary);
  QFETCH(int, words);
  choose(write_text("source.txt", text.toStdString()));  // UTF-8 source

  click("Command6");

  const auto built = exe_->dict() / "dict_45296,55.txt";
  QVERIFY(std::filesystem::exists(built));
  QCOMPARE(QByteArray::fromStdString(read_file(built)), dictionary);
  QCOMPARE(file_list(), (QStringList{"dict_45296,55.txt", "words.txt"}));
  QCOMPARE(messages_.shown.size(), std::size_t{1});
  QCOMPARE(messages_.shown[0].title, QString("Велмора"));
  QCOMPARE(messages_.shown[0].text, QString("%1 слов сохранено в dict_45296,55.txt").arg(words));
  QCOMPARE(messages_.shown[0].icon, MessageIcon::exclamation);
  expect_window_usable();
  QCOMPARE(form_->word_count(), 0);  // built, not loaded
}

void Form1BuildTest::frames_are_disabled_while_the_dialog_is_open() {
  std::vector<std::pair<std::string, bool>> seen;
  DialogScript script;
  script.chosen_path = write_text("source.txt", "словарь").string();
  script.edit = [&](velmora::AnsiOpenFileName&) {
    for (const char* frame : kFrames) seen.emplace_back(frame, control(*form_, frame)->isEnabled());
  };
  windows_.dialogs.push_back(script);

  click("Command6");

  const std::vector<std::pair<std::string, bool>> all_disabled = {
      {"Frame1", false}, {"Frame2", false}, {"Frame3", false},
      {"Frame4", false}, {"Frame5", false}, {"Frame6", false}};
  QCOMPARE(seen, all_disabled);
  expect_window_usable();
  QCOMPARE(messages_.shown.size(), std::size_t{1});
}

void Form1BuildTest::dialog_is_centred_on_the_screen() {
  choose(write_text("source.txt", "словарь"));
  click("Command6");
  // 1024 x 768 screen, 563 x 419 dialog: 230.5 and 174.5 round to even.
  QCOMPARE(windows_.moves(), std::vector<std::string>{"set_window_pos 99 0 230 174 0 0 0x15"});
  QCOMPARE(windows_.records_received.size(), std::size_t{1});
  QCOMPARE(windows_.records_received[0].hwndOwner, kFormHandle);
}

void Form1BuildTest::new_dictionary_loads_with_the_load_buttons() {
  choose(write_text("source.txt", "корова, снова; подкова!"));
  click("Command6");
  click("Command1");
  QCOMPARE(form_->word_count(), 4);  // кот + the three new words
  auto* file1 = control<QListWidget>(*form_, "File1");
  file1->setCurrentRow(0);
  QCOMPARE(file1->currentItem()->text(), QString("dict_45296,55.txt"));
  click("Command2");
  QCOMPARE(form_->word_count(), 7);
}

void Form1BuildTest::nothing_chosen_changes_nothing_data() {
  QTest::addColumn<QString>("chosen");  // empty: the dialog is cancelled
  QTest::addRow("cancelled") << "";
  QTest::addRow("no such file") << "missing.txt";
  QTest::addRow("a folder") << "dict";
}

void Form1BuildTest::nothing_chosen_changes_nothing() {
  QFETCH(QString, chosen);
  if (!chosen.isEmpty()) {
    choose(exe_->path() / chosen.toStdString());
  }  // else: no script, so the fake cancels
  click("Command6");
  QCOMPARE(file_list(), QStringList{"words.txt"});
  QVERIFY(messages_.shown.empty());
  expect_window_usable();
}

void Form1BuildTest::unwritable_folder_reports_and_keeps_the_window_usable() {
  const auto source = write_text("source.txt", "словарь стихов");
  std::filesystem::remove_all(exe_->dict());
  std::ofstream(exe_->dict()) << "a file where the folder was";
  choose(source);

  click("Command6");

  QCOMPARE(messages_.shown.size(), std::size_t{1});
  QCOMPARE(messages_.shown[0].title, QString("Велмора"));
  QVERIFY2(messages_.shown[0].text.startsWith("Ошибка 53: "), qPrintable(messages_.shown[0].text));
  QVERIFY(messages_.shown[0].text.contains(QString::fromStdString(exe_->dict().string())));
  QCOMPARE(messages_.shown[0].icon, MessageIcon::critical);
  expect_window_usable();
  // The window goes on: the empty-store message still comes.
  click("Command4");
  QCOMPARE(messages_.shown.size(), std::size_t{2});
  QCOMPARE(messages_.shown[1].title, QString("Хрен!"));
}

QTEST_MAIN(Form1BuildTest)
#include "form1_build_test.moc"
