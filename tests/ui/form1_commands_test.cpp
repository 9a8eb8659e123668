// The window's commands driven as a user drives them, by mouse and keys:
// loading, reset and the counter; the word box, the option buttons and the
// search; the result click; and failures that must leave the window usable.

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "form1_fixture.h"

using velmora::Form1;
using velmora::MessageIcon;
using velmora::test::control;
using velmora::test::ExecutableFolder;
using velmora::test::RecordingMessageSink;

namespace {

// Lists in file order; "more.txt" comes before "words.txt" in File1.
const std::vector<std::u16string> kWords = {u"Корова",     u"  основа  ",  u"снова", u"снова",
                                            u"дрова",      u"подкова",     u"трава", u"слово",
                                            u"абвгдежова", u"абвгдежзова", u"ва"};  // 11 entries
const std::vector<std::u16string> kMore = {u"трава", u"корова", u"молва"};          // 3 entries

// The rhymes of "корова" over both files with 3 letters: "абвгдежова" has
// 10 characters and is in, "абвгдежзова" has 11 and is out.
const QStringList kThreeLetterRhymes = {"абвгдежова", "дрова", "основа", "подкова", "снова"};
// With 2 letters "молва" and "трава" (in both files, listed once) join them;
// "ва" is too short.
const QStringList kTwoLetterRhymes = {"абвгдежова", "дрова", "молва", "основа",
                                      "подкова",    "снова", "трава"};

}  // namespace

class Form1CommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void load_and_reset_data();
  void load_and_reset();
  void search_data();
  void search();
  void list_changes_only_on_find();
  void empty_store_message_data();
  void empty_store_message();
  void result_click_data();
  void result_click();
  void removed_dictionary_data();
  void removed_dictionary();
  void enter_in_word_box_does_not_search_data();
  void enter_in_word_box_does_not_search();
  void length_boxes_change_nothing_data();
  void length_boxes_change_nothing();

 private:
  QPushButton* button(const char* name) { return control<QPushButton>(*form_, name); }
  QLineEdit* text_box(const char* name) { return control<QLineEdit>(*form_, name); }
  QListView* list2() { return control<QListView>(*form_, "List2"); }
  QString label2() { return control<QLabel>(*form_, "Label2")->text(); }

  void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
  void click_option(int index);
  void select_file(const QString& name);
  void type_word(const char* box, const QString& text);
  QStringList results();

  std::unique_ptr<ExecutableFolder> exe_;
  RecordingMessageSink messages_;
  std::unique_ptr<Form1> form_;
};

void Form1CommandsTest::init() {
  exe_ = std::make_unique<ExecutableFolder>();
  exe_->write_dictionary("words.txt", kWords);
  exe_->write_dictionary("more.txt", kMore);
  messages_.shown.clear();
  form_ = std::make_unique<Form1>(messages_);
  QVERIFY(form_->start(exe_->path()));
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void Form1CommandsTest::cleanup() {
  form_.reset();
  exe_.reset();
}

void Form1CommandsTest::click_option(int index) {
  const QString name = QStringLiteral("Option1_%1").arg(index);
  QTest::mouseClick(control<QRadioButton>(*form_, qPrintable(name)), Qt::LeftButton);
}

void Form1CommandsTest::select_file(const QString& name) {
  auto* file1 = control<QListWidget>(*form_, "File1");
  const QList<QListWidgetItem*> items = file1->findItems(name, Qt::MatchExactly);
  QCOMPARE(items.size(), 1);
  QTest::mouseClick(file1->viewport(), Qt::LeftButton, {},
                    file1->visualItemRect(items[0]).center());
  QCOMPARE(file1->selectedItems(), items);
}

// Replaces the box's text by typing, as a user does.
void Form1CommandsTest::type_word(const char* box, const QString& text) {
  QLineEdit* edit = text_box(box);
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(edit, Qt::Key_Delete);
  velmora::test::type_text(edit, text);
  QCOMPARE(edit->text(), text);
}

QStringList Form1CommandsTest::results() {
  QStringList items;
  const QAbstractItemModel* model = list2()->model();
  for (int row = 0; row < model->rowCount(); ++row) items << model->index(row, 0).data().toString();
  return items;
}

// Each step: "all" (Command1), "reset" (Command3), "selected" (Command2), or
// "pick:<name>" (click that file in File1). The counter after each step.
void Form1CommandsTest::load_and_reset_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QList<int>>("counts");
  QTest::addRow("load all") << QStringList{"all"} << QList<int>{14};
  QTest::addRow("load all twice") << QStringList{"all", "all"} << QList<int>{14, 28};
  QTest::addRow("load selected") << QStringList{"pick:words.txt", "selected"} << QList<int>{0, 11};
  QTest::addRow("nothing selected") << QStringList{"selected"} << QList<int>{0};
  QTest::addRow("same file twice")
      << QStringList{"pick:more.txt", "selected", "selected"} << QList<int>{0, 3, 6};
  QTest::addRow("selection moves")
      << QStringList{"pick:more.txt", "selected", "pick:words.txt", "selected"}
      << QList<int>{0, 3, 3, 14};
  QTest::addRow("reset") << QStringList{"all", "reset"} << QList<int>{14, 0};
  QTest::addRow("reset then load")
      << QStringList{"all", "reset", "pick:more.txt", "selected"} << QList<int>{14, 0, 0, 3};
  QTest::addRow("reset when empty") << QStringList{"reset"} << QList<int>{0};
}

void Form1CommandsTest::load_and_reset() {
  QFETCH(QStringList, steps);
  QFETCH(QList<int>, counts);
  QList<int> seen;
  for (const QString& step : steps) {
    if (step == "all") {
      click("Command1");
    } else if (step == "reset") {
      click("Command3");
    } else if (step == "selected") {
      click("Command2");
    } else if (step.startsWith("pick:")) {
      select_file(step.mid(5));
    } else {
      QFAIL(qPrintable(step));
    }
    QCOMPARE(label2(), QString::number(form_->word_count()));
    seen << form_->word_count();
  }
  QCOMPARE(seen, counts);
  QCOMPARE(messages_.shown.size(), std::size_t{0});
}

// The options are clicked in the given order before the search.
void Form1CommandsTest::search_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QList<int>>("options");
  QTest::addColumn<int>("rhyme_len");
  QTest::addColumn<QStringList>("expected");
  QTest::addRow("lower case") << "корова" << QList<int>{} << 3 << kThreeLetterRhymes;
  QTest::addRow("capitalised with blanks")
      << "  КОРОВА  " << QList<int>{} << 3 << kThreeLetterRhymes;
  // An inner blank stays, so the target is no longer the stored "корова".
  QTest::addRow("inner blank kept")
      << "Ко рова" << QList<int>{} << 3
      << QStringList{"абвгдежова", "дрова", "корова", "основа", "подкова", "снова"};
  QTest::addRow("4 letters") << "корова" << QList<int>{0} << 4 << QStringList{"дрова"};
  QTest::addRow("2 letters") << "корова" << QList<int>{2} << 2 << kTwoLetterRhymes;
  QTest::addRow("2 then 3 letters") << "корова" << QList<int>{2, 1} << 3 << kThreeLetterRhymes;
  QTest::addRow("4 then 2 letters") << "Корова" << QList<int>{0, 2} << 2 << kTwoLetterRhymes;
  QTest::addRow("emptied box") << "" << QList<int>{} << 3 << QStringList{};
  QTest::addRow("one letter, 2 letters") << "а" << QList<int>{2} << 2 << QStringList{};
  QTest::addRow("the start word") << "слово" << QList<int>{} << 3 << QStringList{};
}

void Form1CommandsTest::search() {
  QFETCH(QString, typed);
  QFETCH(QList<int>, options);
  QFETCH(int, rhyme_len);
  QFETCH(QStringList, expected);
  click("Command1");
  type_word("Text1", typed);
  for (int index : options) click_option(index);
  QCOMPARE(int{form_->settings().rhyme_len}, rhyme_len);
  click("Command4");
  QCOMPARE(results(), expected);
  QCOMPARE(messages_.shown.size(), std::size_t{0});
}

// The word box and the options change the settings, not the list.
void Form1CommandsTest::list_changes_only_on_find() {
  click("Command1");
  type_word("Text1", "корова");
  click("Command4");
  QCOMPARE(results(), kThreeLetterRhymes);
  type_word("Text1", "трава");
  click_option(2);
  QCOMPARE(results(), kThreeLetterRhymes);
  QCOMPARE(form_->settings().target_word, std::u16string(u"трава"));
  click("Command4");
  QCOMPARE(results(),
           (QStringList{"абвгдежова", "дрова", "корова", "молва", "основа", "подкова", "снова"}));
}

// The store is empty at start and after a reset: the warning, and the
// list keeps what it showed.
void Form1CommandsTest::empty_store_message_data() {
  QTest::addColumn<bool>("after_reset");
  QTest::addRow("at start") << false;
  QTest::addRow("after a search and a reset") << true;
}

void Form1CommandsTest::empty_store_message() {
  QFETCH(bool, after_reset);
  type_word("Text1", "корова");
  QStringList shown_before;
  if (after_reset) {
    click("Command1");
    click("Command4");
    click("Command3");
    shown_before = kThreeLetterRhymes;
  }
  QCOMPARE(results(), shown_before);
  click("Command4");
  QCOMPARE(messages_.shown.size(), std::size_t{1});
  QCOMPARE(messages_.shown[0].title, QStringLiteral("Хрен!"));
  QCOMPARE(messages_.shown[0].text, QStringLiteral("Сначала загрузите словарь"));
  QVERIFY(messages_.shown[0].icon == MessageIcon::exclamation);
  QCOMPARE(results(), shown_before);
}

void Form1CommandsTest::result_click_data() {
  QTest::addColumn<bool>("by_keys");
  QTest::addRow("mouse") << false;
  QTest::addRow("keys") << true;
}

// Picking a result copies it to Text3, which keeps it across a new search.
void Form1CommandsTest::result_click() {
  QFETCH(bool, by_keys);
  click("Command1");
  type_word("Text1", "корова");
  click("Command4");
  QCOMPARE(text_box("Text3")->text(), QString());
  QListView* list = list2();
  QString picked;
  if (by_keys) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(text_box("Text3")->text(), QStringLiteral("снова"));
    QTest::keyClick(list, Qt::Key_Up);
    picked = QStringLiteral("подкова");
  } else {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    picked = QStringLiteral("дрова");
  }
  QCOMPARE(text_box("Text3")->text(), picked);
  QCOMPARE(list->selectionModel()->selectedIndexes().size(), 1);

  type_word("Text1", "трава");
  click("Command4");
  QCOMPARE(text_box("Text3")->text(), picked);
  QCOMPARE(list->selectionModel()->selectedIndexes().size(), 0);
}

// A listed file removed from the disk: the error with its number and the
// file's name, the count as before the command (even for files read before
// the failing one), and a window that goes on working.
void Form1CommandsTest::removed_dictionary_data() {
  QTest::addColumn<bool>("load_all");
  QTest::addRow("load all") << true;
  QTest::addRow("load selected") << false;
}

void Form1CommandsTest::removed_dictionary() {
  QFETCH(bool, load_all);
  select_file("more.txt");
  click("Command2");
  QCOMPARE(form_->word_count(), 3);
  std::filesystem::remove(exe_->dict() / "words.txt");

  if (load_all) {
    click("Command1");
  } else {
    select_file("words.txt");
    click("Command2");
  }
  QCOMPARE(messages_.shown.size(), std::size_t{1});
  QCOMPARE(messages_.shown[0].title, QStringLiteral("Велмора"));
  QVERIFY2(messages_.shown[0].text.startsWith(QStringLiteral("Ошибка 53: ")),
           qPrintable(messages_.shown[0].text));
  QVERIFY2(messages_.shown[0].text.contains(QStringLiteral("words.txt")),
           qPrintable(messages_.shown[0].text));
  QCOMPARE(form_->word_count(), 3);
  QCOMPARE(label2(), QStringLiteral("3"));
  QVERIFY(form_->isVisible());

  select_file("more.txt");
  click("Command2");
  QCOMPARE(form_->word_count(), 6);
  type_word("Text1", "корова");
  click("Command4");
  QCOMPARE(results(), QStringList{});
  click_option(2);
  click("Command4");
  QCOMPARE(results(), (QStringList{"молва", "трава"}));
  QCOMPARE(messages_.shown.size(), std::size_t{1});
}

void Form1CommandsTest::enter_in_word_box_does_not_search_data() {
  QTest::addColumn<bool>("loaded");
  QTest::addColumn<int>("key");
  QTest::addRow("loaded, Return") << true << int{Qt::Key_Return};
  QTest::addRow("loaded, Enter") << true << int{Qt::Key_Enter};
  QTest::addRow("empty store, Return") << false << int{Qt::Key_Return};
}

void Form1CommandsTest::enter_in_word_box_does_not_search() {
  QFETCH(bool, loaded);
  QFETCH(int, key);
  if (loaded) click("Command1");
  type_word("Text1", "корова");
  QTest::keyClick(text_box("Text1"), static_cast<Qt::Key>(key));
  QCOMPARE(results(), QStringList{});
  QCOMPARE(messages_.shown.size(), std::size_t{0});
  QCOMPARE(form_->word_count(), loaded ? 14 : 0);
}

// The length boxes are read by nothing: candidates stay 3 to 10 long.
void Form1CommandsTest::length_boxes_change_nothing_data() {
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("typed");
  QTest::addRow("from 1") << "Text4"
                          << "1";
  QTest::addRow("from 7") << "Text4"
                          << "7";
  QTest::addRow("to 4") << "Text5"
                        << "4";
  QTest::addRow("to 99") << "Text5"
                         << "99";
  QTest::addRow("not a number") << "Text5"
                                << "много";
}

void Form1CommandsTest::length_boxes_change_nothing() {
  QFETCH(QString, box);
  QFETCH(QString, typed);
  click("Command1");
  type_word("Text1", "корова");
  type_word(qPrintable(box), typed);
  click("Command4");
  QCOMPARE(results(), kThreeLetterRhymes);
  QCOMPARE(form_->settings().min_len, std::int16_t{3});
  QCOMPARE(form_->settings().max_len, std::int16_t{10});
  QCOMPARE(messages_.shown.size(), std::size_t{0});
}

QTEST_MAIN(Form1CommandsTest)
#include "form1_commands_test.moc"
