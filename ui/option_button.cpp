#include "ui/option_button.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace velmora {

namespace {

// Between the round indicator and the caption. Narrower than most styles'
// spacing, as the classic button left it, so that captions fit boxes sized
// for it.
constexpr int kCaptionGap = 3;

}  // namespace

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent) {
  setFocusPolicy(Qt::ClickFocus);
  connect(this, &QAbstractButton::toggled, this,
          [this](bool checked) { setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus); });
}

QRect OptionButton::caption_rect() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect indicator = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
  QRect caption = rect();
  caption.setLeft(indicator.right() + 1 + kCaptionGap);
  return caption;
}

void OptionButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);

  QStyleOptionButton indicator = option;
  indicator.rect = style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this);
  painter.drawPrimitive(QStyle::PE_IndicatorRadioButton, indicator);

  const QRect text_rect = caption_rect();
  painter.drawItemText(text_rect, kCaptionFlags, palette(), isEnabled(), text(),
                       QPalette::WindowText);

  if (option.state & QStyle::State_HasFocus) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = painter.boundingRect(text_rect, kCaptionFlags, text())
                     .adjusted(-1, 0, 1, 0)
                     .intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

bool OptionButton::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace velmora
