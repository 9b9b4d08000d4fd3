#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quillmere {

class AppSettingsStore;

// The general tab: the interface language (the system's, Japanese or English), applied
// as soon as it is chosen, and the updates section. Distributions update the program
// through their packages, so the updates section is shown but disabled.
class GeneralSettingsView final : public QWidget {
    Q_OBJECT

public:
    explicit GeneralSettingsView(AppSettingsStore& store, QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();
    void showSettings();

    AppSettingsStore& m_store;
    QGroupBox* m_languageSection;
    QComboBox* m_language;
    QGroupBox* m_updatesSection;
    QCheckBox* m_autoCheck;
    QPushButton* m_checkNow;
    QLabel* m_updatesNote;
};

} // namespace quillmere
