#pragma once

#include <QStyledItemDelegate>
#include <QTextLayout>

namespace quillmere {

// Draws one row of the command palette: the symbol of its kind, the title with the
// matched characters in the accent colour, the folder's path below it, and, for a
// command, its key at the trailing edge, so that the palette teaches the keys.
class PaletteItemView final : public QStyledItemDelegate {
    Q_OBJECT

public:
    // A text as drawn and the ranges of it to highlight.
    struct Highlighted {
        QString text;
        QList<QTextLayout::FormatRange> ranges;
    };

    explicit PaletteItemView(QObject* parent = nullptr);

    // The text as the window shows it (escaped bytes as U+FFFD) with the characters at
    // the given offsets, counted in user-perceived characters of the original, marked
    // with the format; offsets past the end are ignored.
    static Highlighted highlighted(const QString& text, const QList<int>& positions,
                                   const QTextCharFormat& format);
    // Shortens the text to fit the width with an ellipsis at the given side, keeping the
    // ranges on the characters that remain.
    static Highlighted elided(const Highlighted& text, const QFontMetrics& metrics, Qt::TextElideMode mode,
                              int width);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace quillmere
