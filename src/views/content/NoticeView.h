#pragma once

#include <QFrame>

#include <functional>

class QLabel;
class QPushButton;

namespace quillmere {

// A one-line notice above the listing that stays until the user dismisses it: for news
// the user must not miss, such as what start-up recovered of an interrupted operation.
// Showing another notice replaces it. The text is composed again when the language
// changes, so it reads in whichever language the window is in.
class NoticeView final : public QFrame {
    Q_OBJECT

public:
    explicit NoticeView(QWidget* parent = nullptr);

    using Compose = std::function<QString()>;

    void showNotice(Compose compose);
    QString text() const;

Q_SIGNALS:
    // Dismissed while it had the keyboard focus: the view gives the focus a home.
    void dismissedFocused();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void dismiss();
    void retranslate();

    Compose m_compose;
    QLabel* m_text;
    QPushButton* m_dismiss;
};

} // namespace quillmere
