#include "shell/ox_button.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>
#include <QPalette>

namespace klv::shell {

namespace {

// Caption font shared by every button: Arial, 11 pixels high.
QFont captionFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

// One bevel ring: `topLeft` on the upper and left edges, `bottomRight` on the
// lower and right edges, drawn just inside `r`.
void drawBevelRing(QPainter& painter, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.width() < 2 || r.height() < 2) {
        return;
    }
    painter.setPen(topLeft);
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    painter.setPen(bottomRight);
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

}  // namespace

OxButton::OxButton(const QString& caption, QWidget* parent) : QAbstractButton(parent) {
    setText(caption);
    setFont(captionFont());
    setFocusPolicy(Qt::StrongFocus);
    setCheckable(false);  // a command button: nothing stays pressed after a click
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize OxButton::sizeHint() const {
    const QFontMetrics metrics(font());
    return {std::max(75, metrics.horizontalAdvance(text()) + 16), 25};
}

void OxButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect all = rect();
    painter.fillRect(all, kPanelBlue);

    // Win95 two-line bevel. The shadow is the system's button-shadow colour.
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor outerDark = Qt::black;
    const bool sunken = isDown();
    const QRect outer = all;
    const QRect inner = all.adjusted(1, 1, -1, -1);
    if (sunken) {
        drawBevelRing(painter, outer, outerDark, kSkyBlueHighlight);
        drawBevelRing(painter, inner, shadow, kPanelBlue);
    } else {
        drawBevelRing(painter, outer, kSkyBlueHighlight, outerDark);
        drawBevelRing(painter, inner, kPanelBlue.lighter(150), shadow);
    }

    QRect textArea = all.adjusted(2, 2, -2, -2);
    if (sunken) {
        textArea.translate(1, 1);  // the caption follows the face as it sinks
    }
    painter.setFont(font());
    painter.setPen(isEnabled() ? QColor(Qt::white) : shadow);
    const QString caption = fontMetrics().elidedText(text(), Qt::ElideRight, textArea.width());
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextSingleLine, caption);

    if (hasFocus()) {
        // A dotted rectangle inside the bevel, as Windows 95 buttons show focus.
        QPen pen(Qt::white);
        pen.setStyle(Qt::DotLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(all.adjusted(4, 4, -5, -5));
    }
}

}  // namespace klv::shell
