#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace quillmere {

class AppSettingsStore;

// One choice of mark colour: the text stored in markColorHex (none for the accent
// colour) and the key of its name.
struct MarkColorOption {
    std::optional<QString> id;
    const char* label;
};

// The mark tab: the glyph of marked entries, its colour as a row of swatches, a preview
// of both, and a button that puts every setting back to its default.
//
// The glyph field always holds the stored, normalised glyph, selected, so the next
// character typed replaces it. The swatches are one stop in the Tab order (the chosen
// one); the arrow keys, Home and End move along them and choose as they go.
class MarkSettingsView final : public QWidget {
    Q_OBJECT

public:
    explicit MarkSettingsView(AppSettingsStore& store, QWidget* parent = nullptr);

    static const QList<MarkColorOption>& colorOptions();
    // The colour marks are drawn in: the stored one, else the accent colour.
    QColor markColor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showSettings();
    void chooseColor(int index);
    QColor optionColor(const MarkColorOption& option) const;

    AppSettingsStore& m_store;
    QGroupBox* m_glyphSection;
    QLineEdit* m_glyph;
    QLabel* m_colorTitle;
    QWidget* m_swatchRow;
    QList<QToolButton*> m_swatches;
    QGroupBox* m_previewSection;
    QLabel* m_previewGlyph;
    QLabel* m_previewName;
    QPushButton* m_reset;
};

} // namespace quillmere
