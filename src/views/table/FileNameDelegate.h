#pragma once

#include <QColor>
#include <QStyledItemDelegate>

namespace quillmere {

// Draws the name cell: the mark glyph (in the mark colour when marked, laid out but
// invisible otherwise, so names never shift), the folder or document icon, the name
// (semibold when marked) and, for a folder, a chevron at the trailing edge.
class FileNameDelegate final : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit FileNameDelegate(QObject* parent = nullptr);

    void setMark(const QString& glyph, const QColor& color);
    // Folders show the chevron unless the table cannot be entered (the trash).
    void setShowsChevron(bool shows) { m_showsChevron = shows; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QString m_glyph;
    QColor m_color;
    bool m_showsChevron = true;
};

} // namespace quillmere
