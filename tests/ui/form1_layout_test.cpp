// The window as built: every control's name, kind, container, caption and
// position against the classic twips table; the window's own settings; the
// Tab order; and whether the chosen font lets every caption fit its box.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <set>

#include "form1_fixture.h"
#include "ui/option_button.h"

using velmora::Form1;
using velmora::OptionButton;
using velmora::test::control;
using velmora::test::RecordingMessageSink;

namespace {

const QString kWebAddress = QStringLiteral("https://github.com/velmora/velmora");
const QString kLabel7 =
    QStringLiteral(
        "Программа для поиска слов, рифмующихся с заданным. Способна развиваться! Вы можете "
        "составлять словари из документов с расширением .TXT! Для этого нажмите кнопку создать "
        "словарь из текста и введите адрес текста на компьютере. Это первая тестовая версия "
        "программы. Заходите на сайт ") +
    kWebAddress + QStringLiteral(" за словарями, обновлениями и дополнениями к программе.");

struct ControlRow {
  const char* container;
  const char* name;
  const char* kind;              // the Qt class the control must be (or derive from)
  QString caption;               // title, text or initial text
  int left, top, width, height;  // twips, relative to the container
};

// In creation order, a container before its contents.
const std::vector<ControlRow>& control_table() {
  static const std::vector<ControlRow> rows = {
      {"Form1", "Frame4", "QGroupBox", "Настройка:", 120, 2880, 4815, 1815},
      {"Frame4", "Frame5", "QGroupBox", "Максимальная точность:", 120, 240, 4575, 735},
      {"Frame5", "Option1_2", "QRadioButton", "2 буквы", 3360, 240, 1095, 255},
      {"Frame5", "Option1_1", "QRadioButton", "3 буквы  (рекоменд.)", 1680, 240, 1215, 375},
      {"Frame5", "Option1_0", "QRadioButton", "4 буквы", 120, 240, 1095, 255},
      {"Frame4", "Frame6", "QGroupBox", "Длина слов:", 120, 960, 3135, 735},
      {"Frame6", "Text5", "QLineEdit", "20", 1800, 360, 615, 285},
      {"Frame6", "Text4", "QLineEdit", "3", 480, 360, 615, 285},
      {"Frame6", "Label6", "QLabel", "букв.", 2520, 360, 495, 255},
      {"Frame6", "Label5", "QLabel", "до", 1320, 360, 495, 255},
      {"Frame6", "Label4", "QLabel", "От:", 120, 360, 375, 255},
      {"Form1", "Frame3", "QGroupBox", "Рифма:", 5040, 120, 3255, 4575},
      {"Frame3", "Text3", "QLineEdit", "", 120, 1320, 3015, 285},
      {"Frame3", "List2", "QListView", "", 120, 1680, 3015, 2790},
      {"Frame3", "Command4", "QPushButton", "Найти рифмы", 120, 840, 3015, 375},
      {"Frame3", "Text1", "QLineEdit", "слово", 120, 480, 3015, 285},
      {"Frame3", "Label3", "QLabel", "Введите одно слово:", 120, 240, 1815, 255},
      {"Form1", "Frame2", "QGroupBox", "Словари:", 120, 120, 4815, 2655},
      {"Frame2", "Command6", "QPushButton", "Создать словарь из текста", 2520, 1200, 2175, 495},
      {"Frame2", "File1", "QListWidget", "", 120, 240, 2295, 2235},
      {"Frame2", "Frame1", "QGroupBox", "Загруженные слова:", 2520, 1680, 2175, 855},
      {"Frame1", "Command3", "QPushButton", "Обнулить", 120, 480, 1935, 255},
      {"Frame1", "Label2", "QLabel", "0", 720, 240, 1335, 255},
      {"Frame1", "Label1", "QLabel", "Всего:", 120, 240, 1095, 255},
      {"Frame2", "Command2", "QPushButton", "Загрузить выделенный", 2520, 720, 2175, 375},
      {"Frame2", "Command1", "QPushButton", "Загрузить все словари", 2520, 240, 2175, 375},
      {"Form1", "Label7", "QLabel", kLabel7, 120, 4800, 8175, 975},
  };
  return rows;
}

QString caption_of(const QWidget* widget) {
  if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* box = qobject_cast<const QLineEdit*>(widget)) return box->text();
  return {};
}

constexpr int kTwipsPerPixel = 15;

}  // namespace

class Form1LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { form_ = std::make_unique<Form1>(messages_); }
  void cleanup() { form_.reset(); }

  void control_matches_table_data();
  void control_matches_table();
  void no_other_controls();
  void window_settings();
  void tab_order_data();
  void tab_order();
  void caption_fits_data();
  void caption_fits();
  void label7_wraps_within_the_window();

 private:
  RecordingMessageSink messages_;
  std::unique_ptr<Form1> form_;
};

void Form1LayoutTest::control_matches_table_data() {
  QTest::addColumn<int>("row");
  for (std::size_t i = 0; i < control_table().size(); ++i) {
    QTest::addRow("%s", control_table()[i].name) << static_cast<int>(i);
  }
}

void Form1LayoutTest::control_matches_table() {
  QFETCH(int, row);
  const ControlRow& expected = control_table()[static_cast<std::size_t>(row)];
  const QWidget* widget = control(*form_, expected.name);
  QVERIFY2(widget != nullptr, expected.name);
  QVERIFY2(widget->inherits(expected.kind), widget->metaObject()->className());
  QCOMPARE(widget->parentWidget()->objectName(), QString::fromLatin1(expected.container));
  QCOMPARE(caption_of(widget), expected.caption);
  QCOMPARE(widget->geometry(),
           QRect(expected.left / kTwipsPerPixel, expected.top / kTwipsPerPixel,
                 expected.width / kTwipsPerPixel, expected.height / kTwipsPerPixel));
  QVERIFY(widget->isEnabled());
  QVERIFY(widget->isVisibleTo(form_.get()));
}

// The 27 controls and nothing else: no stray widget of any control kind.
void Form1LayoutTest::no_other_controls() {
  std::set<QString> expected;
  for (const ControlRow& row : control_table()) expected.insert(QString::fromLatin1(row.name));
  std::set<QString> found;
  for (const char* kind : {"QGroupBox", "QRadioButton", "QLineEdit", "QLabel", "QAbstractButton",
                           "QAbstractItemView"}) {
    for (QWidget* widget : form_->findChildren<QWidget*>()) {
      if (widget->inherits(kind)) found.insert(widget->objectName());
    }
  }
  QCOMPARE(found.size(), std::size_t{27});
  QCOMPARE(found, expected);
  QVERIFY(!control<QListView>(*form_, "List2")->inherits("QListWidget"));
}

void Form1LayoutTest::window_settings() {
  QCOMPARE(form_->objectName(), QStringLiteral("Form1"));
  QCOMPARE(form_->windowTitle(), QStringLiteral("Велмора v1.0 — Velmora project, ") + kWebAddress);
  QCOMPARE(form_->size(), QSize(8325 / kTwipsPerPixel, 5655 / kTwipsPerPixel));
  QCOMPARE(form_->minimumSize(), form_->size());
  QCOMPARE(form_->maximumSize(), form_->size());

  const Qt::WindowFlags flags = form_->windowFlags();
  QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
  QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));

  const QIcon icon = form_->windowIcon();
  QVERIFY(!icon.isNull());
  QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
  QImage image = icon.pixmap(32, 32).toImage();
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  QVERIFY2(colours.size() <= 16, QByteArray::number(qulonglong(colours.size())));

  // No button is the default, so Enter triggers no command.
  for (QPushButton* button : form_->findChildren<QPushButton*>()) {
    QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
  }
  QVERIFY(control<QLabel>(*form_, "Label7")->wordWrap());
}

// Tab visits the buttons, the text boxes, both lists and the chosen option
// button only, in the classic order, and comes back round to Command1.
void Form1LayoutTest::tab_order_data() {
  QTest::addColumn<QString>("chosen");
  QTest::addRow("4 letters") << "Option1_0";
  QTest::addRow("3 letters (start)") << "Option1_1";
  QTest::addRow("2 letters") << "Option1_2";
}

void Form1LayoutTest::tab_order() {
  QFETCH(QString, chosen);
  control<QRadioButton>(*form_, qPrintable(chosen))->setChecked(true);
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  control(*form_, "Command1")->setFocus();

  const QStringList expected = {"Command2", "Command3", "Text1",    "Command4",
                                "List2",    "Text3",    chosen,     "Text4",
                                "Text5",    "File1",    "Command6", "Command1"};
  QStringList forward;
  for (int i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    forward << QApplication::focusWidget()->objectName();
  }
  QCOMPARE(forward, expected);

  QStringList backward;
  for (int i = 0; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    backward << QApplication::focusWidget()->objectName();
  }
  QStringList reversed(expected.rbegin() + 1, expected.rend());
  reversed << "Command1";
  QCOMPARE(backward, reversed);
}

// Each caption fits its control in the window's font: on one line, or for
// an option button wrapped at blanks within its box.
void Form1LayoutTest::caption_fits_data() {
  QTest::addColumn<QString>("name");
  for (const ControlRow& row : control_table()) {
    if (row.caption.isEmpty() || QByteArray(row.name) == "Label7") continue;
    QTest::addRow("%s", row.name) << QString::fromLatin1(row.name);
  }
}

void Form1LayoutTest::caption_fits() {
  QFETCH(QString, name);
  const QWidget* widget = control(*form_, qPrintable(name));
  const QFontMetrics metrics = widget->fontMetrics();
  const QString caption = caption_of(widget);
  QRect room;
  QRect needed;
  if (auto* option = qobject_cast<const OptionButton*>(widget)) {
    room = option->caption_rect();
    needed = metrics.boundingRect(room, OptionButton::kCaptionFlags, caption);
  } else if (auto* button = qobject_cast<const QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = caption;
    room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    needed = QRect(0, 0, metrics.horizontalAdvance(caption), metrics.height());
  } else if (auto* frame = qobject_cast<const QGroupBox*>(widget)) {
    // The title is inset from the frame's left edge and needs as much on the right.
    room = frame->rect().adjusted(0, 0, -16, 0);
    needed = QRect(0, 0, metrics.horizontalAdvance(caption), metrics.height());
  } else if (auto* box = qobject_cast<const QLineEdit*>(widget)) {
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    room = box->rect().adjusted(frame, frame, -frame, -frame);
    needed = QRect(0, 0, metrics.horizontalAdvance(caption), metrics.height());
  } else {
    room = widget->contentsRect();
    needed = QRect(0, 0, metrics.horizontalAdvance(caption), metrics.height());
  }
  QVERIFY2(
      needed.width() <= room.width(),
      qPrintable(QStringLiteral("needs %1 px wide, has %2").arg(needed.width()).arg(room.width())));
  QVERIFY2(needed.height() <= room.height(),
           qPrintable(
               QStringLiteral("needs %1 px high, has %2").arg(needed.height()).arg(room.height())));
}

// Label7's box reaches below the window's edge, where it is cut off; the
// text must wrap into the part that shows.
void Form1LayoutTest::label7_wraps_within_the_window() {
  const QLabel* label = control<QLabel>(*form_, "Label7");
  const int visible_height = form_->height() - label->y();
  const QRect needed = label->fontMetrics().boundingRect(
      QRect(0, 0, label->width(), 10000), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
      label->text());
  QVERIFY2(needed.width() <= label->width(), qPrintable(QString::number(needed.width())));
  QVERIFY2(
      needed.height() <= visible_height,
      qPrintable(QStringLiteral("needs %1 px, shows %2").arg(needed.height()).arg(visible_height)));
  QVERIFY2(needed.height() > label->fontMetrics().height(), "the description must wrap");
}

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
