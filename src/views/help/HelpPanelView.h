#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace quillmere {

// Every binding of the window, grouped as the command catalog groups them: the key as
// printed, then its label. Redrawn when the language changes; the keys stay the same.
class HelpPanelView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int width = 260;

    explicit HelpPanelView(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void rebuild();

    QLabel* m_title;
    QVBoxLayout* m_list;
};

} // namespace quillmere
