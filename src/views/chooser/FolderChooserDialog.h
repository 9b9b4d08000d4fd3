#pragma once

#include "models/listing/FileItem.h"
#include "views/chooser/FolderChooser.h"

#include <QCoroTask>
#include <QDialog>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quillmere {

class FileSystemService;

// Asks for one folder, keyboard first. At the top, the request's quick destinations,
// narrowed by fuzzy match as the user types in the filter field; below them, a browser
// of sub-folders starting at the request's start folder. Paths stay exactly as given or
// listed (names that are not valid UTF-8 included); only their shown text replaces
// undecodable bytes.
//
// Keys: typing edits the filter; Up/Down move in the quick list while typing; Tab and
// Shift+Tab move between the filter, the quick list and the browser; in the browser,
// Right enters the highlighted folder, Left or Backspace goes to the parent folder and
// "." shows or hides hidden folders. Return chooses the highlighted quick destination or
// folder (the browser's first row is the shown folder itself); Escape cancels.
//
// Listings run off the user-interface thread; one that arrives after the user has moved
// on is dropped.
class FolderChooserDialog final : public QDialog {
    Q_OBJECT

public:
    FolderChooserDialog(FileSystemService& fileSystem, FolderChoiceRequest request,
                        QWidget* parent = nullptr);
    ~FolderChooserDialog() override;

    // The folder chosen; nothing until the dialog is accepted.
    std::optional<QString> chosenPath() const { return m_chosen; }
    // The folder the browser shows.
    QString shownFolder() const { return m_shownFolder; }
    // True until the shown folder's listing has arrived.
    bool isListing() const { return m_listing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class Section { quick, browser };

    void retranslate();
    void applyFilter();
    void showFolder(const QString& folder, const QString& highlightName = {});
    QCoro::Task<> listShownFolder(uint64_t generation, QString highlightName);
    void fillBrowser(const QList<FileItem>& folders, const QString& highlightName);
    void fitPathLabel();
    void setStatus(const QString& text);
    void enterHighlightedFolder();
    void goToParentFolder();
    void toggleHiddenFolders();
    // The path Return or the confirm button would choose in a section; empty for none.
    QString candidate(Section section) const;
    Section activeSection() const;
    void updateConfirmButton();
    void choose(const QString& path);

    FileSystemService& m_fileSystem;
    FolderChoiceRequest m_request;
    QList<QuickDestination> m_destinations; // the request's, without repeated paths

    QLabel* m_message = nullptr;
    QLabel* m_quickTitle = nullptr;
    QLineEdit* m_filter = nullptr;
    QListWidget* m_quick = nullptr;
    QLabel* m_noMatches = nullptr;
    QLabel* m_foldersTitle = nullptr;
    QLabel* m_path = nullptr;
    QListWidget* m_browser = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_hints = nullptr;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_cancel = nullptr;

    QString m_shownFolder;
    bool m_showHidden = false;
    bool m_listing = false;
    bool m_unreadable = false;
    // Raised by every new listing; a listing that finds it changed is stale.
    uint64_t m_generation = 0;
    Section m_lastSection = Section::quick;
    std::optional<QString> m_chosen;
};

} // namespace quillmere
