#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMessageBox;

namespace quillmere {

class CommandPaletteStore;
class PaletteItemsModel;

// The command palette, laid over its parent while the store presents it: a query field
// above the matching commands, recent folders and bookmarks. Typing narrows the rows;
// Up and Down (or Ctrl+P and Ctrl+N) move the selection round the list, Return runs
// the selected row exactly as its key would, Escape or a click beside the palette
// closes it, and a click on a row runs that row. Focus goes to the query while it is
// shown, so the window's single-key commands stay quiet, and back where it was after.
// A folder that could not be opened is reported in a warning over the window.
class CommandPaletteView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int paletteWidth = 600;
    static constexpr int listMaximumHeight = 340;

    CommandPaletteView(CommandPaletteStore& store, QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void presentedChanged(bool presented);
    void rowsChanged();
    void selectionChanged(qsizetype index);
    // True when the press was one of the palette's own keys.
    bool handleKey(const QKeyEvent& event);
    void executeSelected();
    void runRow(const QModelIndex& index);
    void showNavigationError();
    void place();
    void retranslate();

    CommandPaletteStore& m_store;
    PaletteItemsModel* m_model;
    QFrame* m_frame;
    QLineEdit* m_query;
    QListView* m_list;
    QLabel* m_noResults;
    QPointer<QWidget> m_focusBefore;
    QPointer<QMessageBox> m_errorAlert;
};

} // namespace quillmere
