#include "ui/form1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QIcon>
#include <QItemSelectionModel>
#include <QStringListModel>
#include <limits>
#include <new>

#include "builder/build_dictionary.h"
#include "core/rhyme_search.h"
#include "dialog/centered_open_dialog.h"
#include "dialog/qt_window_system.h"
#include "runtime/directory.h"
#include "runtime/runtime_error.h"
#include "runtime/text_codec.h"
#include "runtime/timer_text.h"
#include "ui/message_sink.h"
#include "ui/qt_text.h"
#include "ui_form1.h"

namespace velmora {

namespace {

// The application title every message box without one of its own carries.
const QString kAppTitle = QStringLiteral("Велмора");

// The classic runtime's number for a failure it cannot name otherwise.
constexpr int kInternalError = 51;

// A narrow Cyrillic face at a size where every caption fits its control at
// the classic geometry and the description in Label7 fits above the strip
// its box loses below the window's edge.
QFont window_font() {
  QFont font(QStringLiteral("DejaVu Sans Condensed"));
  font.setPixelSize(10);
  return font;
}

}  // namespace

Form1::Form1(MessageSink& messages, BuildServices services, QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::Form1>()),
      messages_(messages),
      results_(new QStringListModel(this)),
      windows_(services.windows),
      form_handle_(services.form_handle),
      clock_(services.clock) {
  setFont(window_font());
  ui_->setupUi(this);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(555, 377);
  setWindowIcon(QIcon(QStringLiteral(":/velmora/velmora.png")));
  ui_->List2->setModel(results_);

  if (windows_ == nullptr) {
    auto qt_windows = std::make_unique<QtWindowSystem>();
    form_handle_ = qt_windows->handle_of(this);
    windows_ = qt_windows.get();
    own_windows_ = std::move(qt_windows);
  }
  if (clock_ == nullptr) {
    own_clock_ = std::make_unique<SystemClock>();
    clock_ = own_clock_.get();
  }
  open_dialog_ = std::make_unique<CenteredOpenDialog>(*windows_);
  connect_handlers();
}

Form1::~Form1() = default;

void Form1::connect_handlers() {
  connect(ui_->Command1, &QPushButton::clicked, this, [this] { command1_click(); });
  connect(ui_->Command2, &QPushButton::clicked, this, [this] { command2_click(); });
  connect(ui_->Command3, &QPushButton::clicked, this, [this] { command3_click(); });
  connect(ui_->Command4, &QPushButton::clicked, this, [this] { command4_click(); });
  connect(ui_->Command6, &QPushButton::clicked, this, [this] { command6_click(); });
  connect(ui_->Text1, &QLineEdit::textChanged, this,
          [this](const QString& text) { text1_change(text); });

  // The option buttons' Click fires whenever one becomes the chosen one,
  // by mouse or by keys.
  const QRadioButton* options[] = {ui_->Option1_0, ui_->Option1_1, ui_->Option1_2};
  for (int index = 0; index < 3; ++index) {
    connect(options[index], &QRadioButton::toggled, this, [this, index](bool checked) {
      if (checked) option1_click(index);
    });
  }

  // The list's Click fires whenever the user picks an item, by mouse or by
  // keys; a refill clears the selection and picks nothing.
  connect(ui_->List2, &QListView::clicked, this, [this] { list2_click(); });
  connect(ui_->List2->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { list2_click(); });
}

bool Form1::load(const std::filesystem::path& executable_folder) {
  bool loaded = false;
  guarded([&] {
    const DictFolder folder = find_dict_folder(executable_folder, probe_first_file);
    if (!folder.found) {
      messages_.show_message(kAppTitle, message_to_qstring(folder.message), MessageIcon::none);
      return;
    }
    dict_path_ = folder.dict_path;
    refresh_file_list();
    settings_ = SearchSettings{};
    loaded = true;
  });
  return loaded;
}

bool Form1::start(const std::filesystem::path& executable_folder) {
  if (!load(executable_folder)) return false;
  show();
  ui_->Command1->setFocus(Qt::OtherFocusReason);
  return true;
}

void Form1::add_file(const std::string& fname) {
  store_.add_file(std::filesystem::path(dict_path_ + fname));
  show_count();
}

// Load all is all or nothing, like each single file: every file is read
// before any of them joins the store, so a file that fails (removed since
// the list was filled, unreadable) leaves the store and the counter as they
// were before the command.
void Form1::command1_click() {
  guarded([&] {
    std::vector<DictionaryChunk> chunks;
    chunks.reserve(dict_files_.size());
    std::size_t entries = 0;
    for (const std::string& name : dict_files_) {
      chunks.push_back(read_dictionary_file(std::filesystem::path(dict_path_ + name)));
      entries += chunks.back().size();
    }
    // The only way add_chunk can fail; checked first so none is added.
    if (entries >
        static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max() - store_.count())) {
      throw RuntimeError(kOutOfMemory, "Слишком много слов: больше 2147483647 в хранилище");
    }
    for (DictionaryChunk& chunk : chunks) store_.add_chunk(std::move(chunk));
    show_count();
  });
}

void Form1::command2_click() {
  guarded([&] {
    const QModelIndexList selected = ui_->File1->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    add_file(dict_files_.at(static_cast<std::size_t>(selected.front().row())));
  });
}

void Form1::command3_click() {
  guarded([&] {
    store_.reset();
    show_count();
  });
}

void Form1::command4_click() {
  guarded([&] {
    if (store_.count() == 0) {
      messages_.show_message(QStringLiteral("Хрен!"), QStringLiteral("Сначала загрузите словарь"),
                             MessageIcon::exclamation);
      return;
    }
    const std::vector<std::u16string_view> rhymes = rhyme_list(store_, settings_);
    QStringList items;
    items.reserve(static_cast<qsizetype>(rhymes.size()));
    for (const std::u16string_view word : rhymes) items.append(to_qstring(word));
    results_->setStringList(items);
  });
}

void Form1::text1_change(const QString& text) {
  guarded([&] { settings_.target_word = target_from_word_box(to_u16string(text)); });
}

void Form1::option1_click(int index) {
  guarded([&] { settings_.rhyme_len = rhyme_len_for_option(index); });
}

void Form1::list2_click() {
  guarded([&] {
    const QModelIndexList selected = ui_->List2->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) return;
    ui_->Text3->setText(selected.front().data(Qt::DisplayRole).toString());
  });
}

void Form1::refresh_file_list() {
  dict_files_ = list_ordinary_files(dict_path_);
  ui_->File1->clear();
  for (const std::string& name : dict_files_) ui_->File1->addItem(file_name_to_qstring(name));
}

// Builds a dictionary from a text the user picks. The four frames that hold
// every other control stay disabled until it ends, however it ends, so no
// other command can start while the window keeps repainting.
void Form1::command6_click() {
  QWidget* const frames[] = {ui_->Frame2, ui_->Frame3, ui_->Frame4, ui_->Frame5};
  for (QWidget* frame : frames) frame->setEnabled(false);

  // Runs when the handler leaves, before an error is reported, so the
  // report shows over a usable window.
  struct Restore {
    Form1& form;
    QWidget* const (&frames)[4];
    ~Restore() {
      for (QWidget* frame : frames) frame->setEnabled(true);
      form.unsetCursor();
    }
  };

  guarded([&] {
    Restore restore{*this, frames};
    const std::u16string chosen =
        path_before_nul(open_dialog_->open_file_dialog(form_handle_, 0));
    const std::string path = to_utf8(chosen);
    if (path.empty() || probe_first_file(path).empty()) return;

    setCursor(Qt::BusyCursor);
    QElapsedTimer since_repaint;
    since_repaint.start();
    const BuildResult result = build_dictionary(
        std::filesystem::path(path), std::filesystem::path(dict_path_), *clock_,
        [&](std::uint64_t, std::uint64_t) {
          if (since_repaint.elapsed() >= 50) {
            QCoreApplication::processEvents();
            since_repaint.restart();
          }
        });
    for (QWidget* frame : frames) frame->setEnabled(true);
    refresh_file_list();
    unsetCursor();
    messages_.show_message(kAppTitle, message_to_qstring(build_report(result)),
                           MessageIcon::exclamation);
  });
}

template <class Handler>
void Form1::guarded(Handler&& handler) {
  try {
    handler();
  } catch (const RuntimeError& error) {
    report(error);
  } catch (const std::bad_alloc&) {
    report(RuntimeError(kOutOfMemory, "Недостаточно памяти"));
  } catch (const std::exception& error) {
    report(RuntimeError(kInternalError, std::string("Внутренняя ошибка: ") + error.what()));
  }
}

void Form1::report(const RuntimeError& error) {
  messages_.show_message(kAppTitle, message_to_qstring(describe(error)), MessageIcon::critical);
}

void Form1::show_count() { ui_->Label2->setText(QString::number(store_.count())); }

}  // namespace velmora
