#include "views/palette/PaletteItemView.h"

#include "models/listing/Graphemes.h"
#include "models/paths/FileName.h"
#include "views/common/SystemIcon.h"
#include "views/palette/PaletteItemsModel.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace quillmere {
namespace {

constexpr int padding = 8;
constexpr int symbolWidth = 16;
constexpr int lineGap = 2;

QFont captionFont(const QFont& body) {
    QFont caption = body;
    caption.setPointSizeF(body.pointSizeF() * 0.85);
    return caption;
}

QFont keyFont(const QFont& body) {
    QFont key = captionFont(body);
    key.setFamily(QStringLiteral("monospace"));
    key.setStyleHint(QFont::Monospace);
    return key;
}

void drawHighlighted(QPainter* painter, const PaletteItemView::Highlighted& text, const QFont& font,
                     const QPointF& topLeft) {
    QTextLayout layout(text.text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.setFormats(text.ranges);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLeadingIncluded(false);
    layout.endLayout();
    layout.draw(painter, topLeft);
}

} // namespace

PaletteItemView::PaletteItemView(QObject* parent)
    : QStyledItemDelegate(parent) {}

PaletteItemView::Highlighted PaletteItemView::highlighted(const QString& text, const QList<int>& positions,
                                                          const QTextCharFormat& format) {
    // Built one user-perceived character at a time, so that an offset lands on the same
    // character however the display text differs in length from the original.
    Highlighted result;
    int offset = 0;
    for (QStringView character : Graphemes::split(text)) {
        const QString shown = FileName::displayText(character);
        if (positions.contains(offset)) {
            if (!result.ranges.isEmpty() &&
                result.ranges.last().start + result.ranges.last().length == result.text.size())
                result.ranges.last().length += int(shown.size());
            else
                result.ranges.append({int(result.text.size()), int(shown.size()), format});
        }
        result.text += shown;
        ++offset;
    }
    return result;
}

PaletteItemView::Highlighted PaletteItemView::elided(const Highlighted& text, const QFontMetrics& metrics,
                                                     Qt::TextElideMode mode, int width) {
    const QString shortened = metrics.elidedText(text.text, mode, width);
    if (shortened == text.text)
        return text;
    // What is left of the original is a prefix, a suffix or both, around the ellipsis.
    const qsizetype full = text.text.size();
    const qsizetype room = std::max<qsizetype>(shortened.size() - 1, 0);
    qsizetype prefix = 0;
    while (prefix < room && shortened[prefix] == text.text[prefix])
        ++prefix;
    if (mode == Qt::ElideLeft)
        prefix = 0;
    qsizetype suffix = 0;
    if (mode != Qt::ElideRight)
        while (prefix + suffix < room &&
               shortened[shortened.size() - 1 - suffix] == text.text[full - 1 - suffix])
            ++suffix;
    Highlighted result{shortened, {}};
    const qsizetype shift = shortened.size() - full;
    for (const QTextLayout::FormatRange& range : text.ranges) {
        const qsizetype end = range.start + range.length;
        if (range.start < prefix)
            result.ranges.append({range.start, int(std::min(end, prefix) - range.start), range.format});
        const qsizetype tailStart = full - suffix;
        if (end > tailStart) {
            const qsizetype start = std::max<qsizetype>(range.start, tailStart);
            result.ranges.append({int(start + shift), int(end - start), range.format});
        }
    }
    return result;
}

void PaletteItemView::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    painter->save();
    const QPalette& palette = option.palette;
    const QColor accent = palette.color(QPalette::Active, QPalette::Highlight);
    if (index.data(PaletteItemsModel::isSelectedRole).toBool()) {
        QColor background = accent;
        background.setAlphaF(0.2f);
        painter->fillRect(option.rect, background);
    } else if (option.state & QStyle::State_MouseOver) {
        QColor hover = accent;
        hover.setAlphaF(0.08f);
        painter->fillRect(option.rect, hover);
    }

    QRect rect = option.rect.adjusted(padding, 0, -padding, 0);
    const auto symbol = SystemIcon::Symbol(index.data(PaletteItemsModel::symbolRole).toInt());
    const QRect symbolRect(rect.left(), rect.center().y() - symbolWidth / 2, symbolWidth, symbolWidth);
    SystemIcon::icon(symbol).paint(painter, symbolRect, Qt::AlignCenter, QIcon::Disabled);
    rect.setLeft(symbolRect.right() + 1 + padding);

    const QString keyHint = index.data(PaletteItemsModel::keyHintRole).toString();
    if (!keyHint.isEmpty()) {
        const QFont font = keyFont(option.font);
        const QFontMetrics metrics(font);
        const int capWidth =
            std::max(metrics.horizontalAdvance(keyHint) + 2 * padding, metrics.height() + padding);
        const QRect cap(rect.right() - capWidth, rect.center().y() - metrics.height() / 2 - 3, capWidth,
                        metrics.height() + 6);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(palette.color(QPalette::Mid));
        painter->setBrush(palette.color(QPalette::Button));
        painter->drawRoundedRect(QRectF(cap).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
        painter->setFont(font);
        painter->setPen(palette.color(QPalette::ButtonText));
        painter->drawText(cap, Qt::AlignCenter, keyHint);
        rect.setRight(cap.left() - padding);
    }

    QTextCharFormat match;
    match.setForeground(accent);
    match.setFontWeight(QFont::DemiBold);
    const QFont body = option.font;
    const QFontMetrics bodyMetrics(body);
    const QString subtitle = index.data(PaletteItemsModel::subtitleRole).toString();
    const QFont caption = captionFont(body);
    const QFontMetrics captionMetrics(caption);
    const int textHeight =
        bodyMetrics.height() + (subtitle.isEmpty() ? 0 : lineGap + captionMetrics.height());
    const int top = rect.center().y() - textHeight / 2;

    painter->setPen(palette.color(QPalette::Active, QPalette::Text));
    const Highlighted title =
        elided(highlighted(index.data(Qt::DisplayRole).toString(),
                           index.data(PaletteItemsModel::titleMatchRole).value<QList<int>>(), match),
               bodyMetrics, Qt::ElideRight, rect.width());
    drawHighlighted(painter, title, body, QPointF(rect.left(), top));
    if (!subtitle.isEmpty()) {
        painter->setPen(palette.color(QPalette::Active, QPalette::PlaceholderText));
        // A long path keeps its start and its end, where the folder's own name is.
        const Highlighted path =
            elided(highlighted(subtitle, index.data(PaletteItemsModel::subtitleMatchRole).value<QList<int>>(),
                               match),
                   captionMetrics, Qt::ElideMiddle, rect.width());
        drawHighlighted(painter, path, caption, QPointF(rect.left(), top + bodyMetrics.height() + lineGap));
    }
    painter->restore();
}

QSize PaletteItemView::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    // One height for every row, so the list can lay out thousands of rows without asking.
    const int height = QFontMetrics(option.font).height() + lineGap +
                       QFontMetrics(captionFont(option.font)).height() + 2 * padding - 4;
    return {option.rect.width(), height};
}

} // namespace quillmere
