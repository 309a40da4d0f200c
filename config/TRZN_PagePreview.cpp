#include "config/TRZN_PagePreview.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "config/paper_fields.h"
#include "settings/utility.h"

namespace {

// The weeding frame's line, apart from the printable area's blue.
const QColor kWeedingColour(0xe0, 0x80, 0x10);

QString UnitSuffix(int16_t unit) {
    if (unit == kUnitInch) return QStringLiteral("in");
    if (unit == kUnitMillimetre) return QStringLiteral("mm");
    return QStringLiteral("pt");
}

QString Length(double points, int16_t unit) {
    return FormatPaperLength(PaperFromPoints(points, unit), unit);
}

QFont SmallFont(const QFont& base) {
    QFont f = base;
    if (f.pointSizeF() > 0)
        f.setPointSizeF(std::max(7.0, f.pointSizeF() * 0.85));
    else if (f.pixelSize() > 0)
        f.setPixelSize(std::max(9, f.pixelSize() * 85 / 100));
    return f;
}

// The page's top edge, as the plot has it: a bar along it and an arrow pointing out of it. On a
// turned page that is the paper's left edge, which is where the plotter draws the drawing's top.
void MarkTop(QPainter& p, const QRectF& page, bool turned) {
    const QColor mark(0xd0, 0x50, 0x10);
    const double a = std::clamp(std::min(page.width(), page.height()) / 8, 3.0, 8.0);
    const QPointF c = page.center();
    QRectF bar;
    QPolygonF arrow;  // inside the page, pointing at its top edge
    if (turned) {
        bar = QRectF(page.left(), page.top(), 3, page.height());
        const double x = page.left() + 5;
        arrow << QPointF(x, c.y()) << QPointF(x + a, c.y() - a) << QPointF(x + a, c.y() + a);
    } else {
        bar = QRectF(page.left(), page.top(), page.width(), 3);
        const double y = page.top() + 5;
        arrow << QPointF(c.x(), y) << QPointF(c.x() - a, y + a) << QPointF(c.x() + a, y + a);
    }
    p.fillRect(bar, mark);
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawPolygon(arrow);
    p.setBrush(Qt::NoBrush);
}

}  // namespace

TRZN_PagePreview::TRZN_PagePreview(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setPreview(PagePreview{}, kUnitPoint);
}

void TRZN_PagePreview::setPreview(const PagePreview& preview, int16_t unit) {
    _preview = preview;
    if (!preview.hasPaper) {
        _caption = tr("No paper size entered");
        _detail.clear();
    } else {
        const QString size = tr("%1 × %2 %3")
                                 .arg(Length(preview.paper.width(), unit),
                                      Length(preview.paper.height(), unit), UnitSuffix(unit));
        const bool roll = preview.print.prStl.feed != 0;
        _caption = roll ? tr("%1 (roll paper)").arg(size) : size;
        if (preview.outOfRange)
            _detail = tr("The page is too large to store at this scale and paper size");
        else if (preview.marginsTooLarge)
            _detail = tr("The margins are too large: nothing is left to print on");
        else
            // The page's printable area in the unit of the size fields: the area of the drawing
            // that reaches the paper at this scale.
            _detail = tr("Printable area %1 × %2 %3 (scale %4%)")
                          .arg(Length(preview.plotWidth, unit), Length(preview.plotHeight, unit),
                               UnitSuffix(unit))
                          .arg(preview.scale < 0 ? -static_cast<int>(preview.scale)
                                                 : static_cast<int>(preview.scale));
        if (!preview.outOfRange && !preview.marginsTooLarge && !preview.weedingInside.isEmpty())
            _detail += QLatin1Char('\n') +
                       tr("Lines inside the orange frame get their weeding frame all round");
    }
    setToolTip(_detail.isEmpty() ? _caption : _caption + QLatin1Char('\n') + _detail);
    setAccessibleDescription(toolTip());
    update();
}

QSize TRZN_PagePreview::sizeHint() const { return {220, 240}; }

QSize TRZN_PagePreview::minimumSizeHint() const {
    const QFontMetrics fm(SmallFont(font()));
    return {140, 100 + 3 * fm.height()};
}

void TRZN_PagePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QFont small = SmallFont(font());
    const QFontMetrics fm(small);
    const int gap = 6;
    // The caption wraps rather than being cut off when the preview is narrow.
    const int textFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    const int textWidth = std::max(1, width() - 2 * gap);
    const QRect captionBox = fm.boundingRect(QRect(0, 0, textWidth, 10000), textFlags, _caption);
    const QRect detailBox =
        _detail.isEmpty() ? QRect()
                          : fm.boundingRect(QRect(0, 0, textWidth, 10000), textFlags, _detail);
    const int textHeight = captionBox.height() + detailBox.height();
    const QRect area = rect().adjusted(gap, gap, -gap, -(gap + textHeight + gap));
    p.setFont(small);
    p.setPen(palette().color(QPalette::WindowText));

    const QSizeF paper = _preview.paper;
    if (!_preview.hasPaper || area.width() < 8 || area.height() < 8 || paper.width() <= 0 ||
        paper.height() <= 0) {
        p.drawText(rect().adjusted(gap, gap, -gap, -gap), Qt::AlignCenter | Qt::TextWordWrap,
                   _caption);
        return;
    }

    // The paper, fitted into the area with its proportions kept; paper and caption together are
    // centred, so the caption stays right under the paper.
    const double k = std::min(area.width() / paper.width(), area.height() / paper.height());
    const QSizeF drawn(paper.width() * k, paper.height() * k);
    const QRectF sheet(area.left() + (area.width() - drawn.width()) / 2.0,
                       area.top() + (area.height() - drawn.height()) / 2.0, drawn.width(),
                       drawn.height());

    // Paper in the margin colour first; the printable area is painted over it.
    p.fillRect(sheet, QColor(0xc8, 0xc8, 0xc8));
    if (!_preview.outOfRange && !_preview.marginsTooLarge) {
        const QRectF& pr = _preview.printable;
        const QRectF inner = QRectF(sheet.left() + pr.left() * k, sheet.top() + pr.top() * k,
                                    pr.width() * k, pr.height() * k)
                                 .intersected(sheet);
        p.fillRect(inner, QColor(0xff, 0xff, 0xff));
        QPen dash(QColor(0x2a, 0x6f, 0xc9));
        dash.setStyle(Qt::DashLine);
        p.setPen(dash);
        p.drawRect(inner.adjusted(0, 0, -1, -1));
        MarkTop(p, inner, _preview.turned);
        const QRectF& w = _preview.weedingInside;
        if (!w.isEmpty()) {
            p.setPen(QPen(kWeedingColour));
            p.drawRect(QRectF(sheet.left() + w.left() * k, sheet.top() + w.top() * k, w.width() * k,
                              w.height() * k)
                           .intersected(inner)
                           .adjusted(0, 0, -1, -1));
        }
    }
    p.setPen(QPen(QColor(0x40, 0x40, 0x40)));
    p.drawRect(sheet.adjusted(0, 0, -1, -1));

    // The caption, small, under the drawing.
    p.setPen(palette().color(QPalette::WindowText));
    const QRect captionRect(gap, static_cast<int>(sheet.bottom()) + gap, textWidth,
                            captionBox.height());
    p.drawText(captionRect, textFlags, _caption);
    if (!_detail.isEmpty()) {
        if (_preview.outOfRange || _preview.marginsTooLarge) p.setPen(QColor(0xc0, 0x20, 0x20));
        p.drawText(QRect(gap, captionRect.bottom() + 1, textWidth, detailBox.height()), textFlags,
                   _detail);
    }
}
