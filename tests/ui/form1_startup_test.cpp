// Start-up: the Load event with a valid, a missing and an empty dictionary
// folder, and the window's state right after it.

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "form1_fixture.h"

using velmora::Form1;
using velmora::MessageIcon;
using velmora::test::control;
using velmora::test::ExecutableFolder;
using velmora::test::RecordingMessageSink;

namespace {

// How the dictionary folder beside the executable is set up.
enum class DictSetup { none, empty, hidden_file_only, subfolder_only, two_files };

void prepare(const ExecutableFolder& exe, DictSetup setup) {
  switch (setup) {
    case DictSetup::none:
      break;
    case DictSetup::empty:
      exe.make_dict();
      break;
    case DictSetup::hidden_file_only:
      exe.write_dictionary(".hidden.txt", {u"слово"});
      break;
    case DictSetup::subfolder_only:
      exe.make_dict();
      std::filesystem::create_directories(exe.dict() / "sub");
      exe.write_dictionary("sub/inner.txt", {u"слово"});
      break;
    case DictSetup::two_files:
      exe.write_dictionary("words.txt", {u"корова"});
      exe.write_dictionary("more.dic", {u"снова"});
      exe.write_dictionary(".hidden.txt", {u"слово"});
      std::filesystem::create_directories(exe.dict() / "sub");
      break;
  }
}

}  // namespace

Q_DECLARE_METATYPE(DictSetup)

class Form1StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void refuses_without_dictionaries_data();
  void refuses_without_dictionaries();
  void starts_with_dictionaries();
  void starts_with_one_file_of_any_name();
};

void Form1StartupTest::refuses_without_dictionaries_data() {
  QTest::addColumn<DictSetup>("setup");
  QTest::addRow("no dict folder") << DictSetup::none;
  QTest::addRow("empty dict folder") << DictSetup::empty;
  QTest::addRow("only a hidden file") << DictSetup::hidden_file_only;
  QTest::addRow("only a subfolder") << DictSetup::subfolder_only;
}

// The message names the full folder; the window is never shown.
void Form1StartupTest::refuses_without_dictionaries() {
  QFETCH(DictSetup, setup);
  ExecutableFolder exe;
  prepare(exe, setup);
  RecordingMessageSink messages;
  Form1 form(messages);

  QCOMPARE(form.start(exe.path()), false);

  QVERIFY(!form.isVisible());
  QCOMPARE(messages.shown.size(), std::size_t{1});
  QCOMPARE(messages.shown[0].title, QStringLiteral("Велмора"));
  QCOMPARE(messages.shown[0].text,
           QStringLiteral("Папка ") + QString::fromStdString(exe.dict_path()) +
               QStringLiteral(" со словарями не найдена или пуста. Создайте папку и поместите "
                              "туда словарь."));
  QCOMPARE(messages.shown[0].icon, MessageIcon::none);
}

// File1 lists the ordinary files by name, hidden files and folders left
// out; the settings agree with the word box and the chosen option without
// any event having fired; the focus is on Command1.
void Form1StartupTest::starts_with_dictionaries() {
  ExecutableFolder exe;
  prepare(exe, DictSetup::two_files);
  RecordingMessageSink messages;
  Form1 form(messages);

  QCOMPARE(form.start(exe.path()), true);
  QVERIFY(QTest::qWaitForWindowActive(&form));

  QCOMPARE(messages.shown.size(), std::size_t{0});
  QVERIFY(form.isVisible());
  QCOMPARE(form.dict_path(), exe.dict_path());
  QCOMPARE(QApplication::focusWidget(), control(form, "Command1"));

  const auto* file1 = control<QListWidget>(form, "File1");
  QStringList listed;
  for (int row = 0; row < file1->count(); ++row) listed << file1->item(row)->text();
  QCOMPARE(listed, (QStringList{"more.dic", "words.txt"}));
  QCOMPARE(file1->selectedItems().size(), 0);
  QCOMPARE(file1->selectionMode(), QAbstractItemView::SingleSelection);

  QCOMPARE(control<QLineEdit>(form, "Text1")->text(), QStringLiteral("слово"));
  QCOMPARE(form.settings().target_word, std::u16string(u"слово"));
  QVERIFY(control<QRadioButton>(form, "Option1_1")->isChecked());
  QCOMPARE(form.settings().rhyme_len, std::int16_t{3});
  QCOMPARE(form.settings().min_len, std::int16_t{3});
  QCOMPARE(form.settings().max_len, std::int16_t{10});
  QCOMPARE(form.word_count(), 0);
  QCOMPARE(control<QLabel>(form, "Label2")->text(), QStringLiteral("0"));
}

void Form1StartupTest::starts_with_one_file_of_any_name() {
  ExecutableFolder exe;
  exe.write_dictionary("README", {});
  RecordingMessageSink messages;
  Form1 form(messages);

  QCOMPARE(form.start(exe.path()), true);
  QCOMPARE(messages.shown.size(), std::size_t{0});
  QCOMPARE(control<QListWidget>(form, "File1")->count(), 1);
}

QTEST_MAIN(Form1StartupTest)
#include "form1_startup_test.moc"
