// The Configure dialog: toolbars, keyword help, start-up, Tidy and the other program settings.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QVBoxLayout;

namespace quinkle {

class CollapsibleSection;
class ConfigureHost;
class FileNameEdit;

/// Edits the [Config] and [Tidy] settings of the host's store, the visibility of its toolbars
/// and tool windows, its button size and the keyword help files. Shown modally with exec().
///
/// The controls are loaded from the store when the dialog is created, every time it is shown
/// and on Cancel. Every close (OK, Cancel, Escape, the window's close button) writes the
/// closing values: "FullPath", "Max", "Default Startup", "Background", "Backups",
/// "Start File", "Default Browser", "MenusLook", "Show Hints" and the [Tidy] keys, then saves
/// the store. Only OK applies the keyword files, "QFileLoad", "HTMLKeyWord", the toolbar
/// visibility and a clicked large-icons box. Cancel reloads before closing, so it writes the
/// stored values back.
class ConfigureDialog : public QDialog {
    Q_OBJECT

public:
    /// The help topic that F1 and the Help button open.
    static const QString kHelpTopic;

    explicit ConfigureDialog(ConfigureHost& host, QWidget* parent = nullptr);

    /// The bands, top to bottom.
    QList<CollapsibleSection*> Bands() const { return m_bands; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Layout (ConfigureDialogBands.cpp).
    void CreateControls();
    CollapsibleSection* AddBand(QVBoxLayout* column, const QString& objectName,
                                const QString& title);
    void CreateToolbarsBand(QVBoxLayout* column);
    void CreateKeywordHelpBand(QVBoxLayout* column);
    void CreateEditKeywordsBand(QVBoxLayout* column);
    void CreateStartupBand(QVBoxLayout* column);
    void CreateTidyBand(QVBoxLayout* column);
    void CreateMiscBand(QVBoxLayout* column);
    void CreateDefaultBrowserBand(QVBoxLayout* column);
    void CreateShowHintsBand(QVBoxLayout* column);
    void ConnectHandlers();

    // Loading and storing.
    void LoadControls();
    void LoadKeywordControls();
    void FillToolbarList();
    void ApplyOkSettings();
    void WriteKeywordFile(const QString& path);
    void WriteClosingValues();
    int MenusLook() const;

    // Handlers.
    void FormShow();
    void btnOKClick();
    void btnCancelClick();
    void btnHelpClick();
    void cbLargeIconsClick();
    void cbMenusLookChange();
    void rgBackgroundClick();
    void edStartFileClick();
    void edHelpFileChange(const QString& fileName);
    void edKeywordFileBeforeBrowse();
    void edKeywordFileChange(const QString& fileName);

    ConfigureHost& m_host;
    QList<CollapsibleSection*> m_bands;
    QString m_keywordHelpFile;
    QString m_keywordFile;
    bool m_largeIconsClicked = false;
    bool m_loading = false;

    QListWidget* m_clbToolBars = nullptr;
    QCheckBox* m_cbLargeIcons = nullptr;
    FileNameEdit* m_edHelpFile = nullptr;
    FileNameEdit* m_edKeywordFile = nullptr;
    QPlainTextEdit* m_memKeywords = nullptr;
    QButtonGroup* m_rgStartup = nullptr;
    QRadioButton* m_rbOther = nullptr;
    FileNameEdit* m_edStartFile = nullptr;
    QCheckBox* m_cbTidyElement = nullptr;
    QCheckBox* m_cbTidyTags = nullptr;
    QCheckBox* m_cbTidyWrap = nullptr;
    QSpinBox* m_seTidyWrapAt = nullptr;
    QCheckBox* m_cbTidyErrLog = nullptr;
    QCheckBox* m_cbTidyUpperCase = nullptr;
    QCheckBox* m_cbTidyReplace = nullptr;
    QComboBox* m_cbMenusLook = nullptr;
    QCheckBox* m_cbSchemeFromExtension = nullptr;
    QButtonGroup* m_rgBackground = nullptr;
    QButtonGroup* m_rgBackups = nullptr;
    QSpinBox* m_seMRUMax = nullptr;
    QCheckBox* m_cbFullPath = nullptr;
    QLineEdit* m_edQFileLoad = nullptr;
    FileNameEdit* m_edBrowser = nullptr;
    QButtonGroup* m_rgShowHints = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnHelp = nullptr;
};

}  // namespace quinkle
