#pragma once

#include <QList>
#include <QWidget>

class QHBoxLayout;

namespace quillmere {

// A row of key hints, each the key as printed followed by its translated label.
class KeyHintBarView final : public QWidget {
    Q_OBJECT

public:
    struct Hint {
        QString key;
        const char* labelKey;
    };

    explicit KeyHintBarView(QList<Hint> hints, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void rebuild();

    QList<Hint> m_hints;
    QHBoxLayout* m_row;
};

} // namespace quillmere
