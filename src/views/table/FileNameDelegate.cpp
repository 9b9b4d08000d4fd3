#include "views/table/FileNameDelegate.h"

#include "views/common/SystemIcon.h"
#include "views/table/FileTableModel.h"

#include <QApplication>
#include <QPainter>

namespace quillmere {
namespace {

constexpr int spacing = 6;
constexpr int iconSize = 16;

} // namespace

FileNameDelegate::FileNameDelegate(QObject* parent)
    : QStyledItemDelegate(parent) {}

void FileNameDelegate::setMark(const QString& glyph, const QColor& color) {
    m_glyph = glyph;
    m_color = color;
}

void FileNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.icon = QIcon();
    QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);

    const bool marked = index.data(FileTableModel::isMarkedRole).toBool();
    const bool folder = index.data(FileTableModel::isFolderRole).toBool();
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorRole textRole = selected ? QPalette::HighlightedText : QPalette::Text;

    painter->save();
    QRect rect = option.rect.adjusted(spacing, 0, -spacing, 0);
    const QFontMetrics metrics(option.font);
    const int glyphWidth = metrics.horizontalAdvance(m_glyph);
    if (marked) {
        // On the selected row the accent is the background; the glyph takes the row's text colour.
        painter->setPen(selected ? option.palette.color(QPalette::Active, QPalette::HighlightedText)
                                 : m_color);
        painter->drawText(QRect(rect.left(), rect.top(), glyphWidth, rect.height()), Qt::AlignVCenter,
                          m_glyph);
    }
    rect.setLeft(rect.left() + glyphWidth + spacing);

    static const QIcon folderIcon = SystemIcon::icon(SystemIcon::Symbol::folder);
    static const QIcon documentIcon = SystemIcon::icon(SystemIcon::Symbol::document);
    static const QIcon chevron = SystemIcon::icon(SystemIcon::Symbol::chevronRight);
    const QRect iconRect(rect.left(), rect.center().y() - iconSize / 2, iconSize, iconSize);
    (folder ? folderIcon : documentIcon).paint(painter, iconRect);
    rect.setLeft(iconRect.right() + 1 + spacing);

    if (folder && m_showsChevron) {
        const int chevronSize = iconSize * 3 / 4;
        const QRect chevronRect(rect.right() - chevronSize, rect.center().y() - chevronSize / 2, chevronSize,
                                chevronSize);
        chevron.paint(painter, chevronRect, Qt::AlignCenter, QIcon::Disabled);
        rect.setRight(chevronRect.left() - 4);
    }

    QFont font = option.font;
    if (marked)
        font.setWeight(QFont::DemiBold);
    painter->setFont(font);
    painter->setPen(option.palette.color(QPalette::Active, textRole));
    const QString name = index.data(Qt::DisplayRole).toString();
    painter->drawText(rect, Qt::AlignVCenter | Qt::AlignLeft,
                      QFontMetrics(font).elidedText(name, Qt::ElideMiddle, rect.width()));
    painter->restore();
}

QSize FileNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), iconSize + 6));
    return size;
}

} // namespace quillmere
