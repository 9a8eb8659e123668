#pragma once

#include <QRadioButton>

namespace velmora {

// An option button that behaves as the classic one does:
// - its caption wraps at blanks onto further lines when it is wider than the
//   button (as "3 буквы  (рекоменд.)" must, in its narrow, two-line-high
//   box); text() stays the caption exactly as given, and the whole box, not
//   just the first line, answers clicks;
// - Tab stops only at the chosen button of a group; the arrow keys move the
//   choice between the buttons, and a click focuses any of them.
class OptionButton : public QRadioButton {
  Q_OBJECT

 public:
  explicit OptionButton(QWidget* parent = nullptr);

  // The rectangle the caption is drawn into, and the flags it is drawn with.
  QRect caption_rect() const;
  static constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};

}  // namespace velmora
