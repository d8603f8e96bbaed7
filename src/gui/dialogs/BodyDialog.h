// The Create Body dialog: background, sound and colours of a page's body start tag.
#pragma once

#include <QDialog>
#include <QString>

#include "engine/html/HeadBody.h"

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace quinkle {

class FileNameEdit;
class InsertHost;

/// Builds the body start tag (and the background sound lines) from its fields; OK hands it to
/// the host as one "Body" undo step, Cancel, Escape and the close box insert nothing. The
/// fields keep their values for the whole run, and Fields() reads them whether or not the
/// dialog was ever shown, so a new document gets the same body tag.
class BodyDialog : public QDialog {
    Q_OBJECT

public:
    /// The help topic that F1 and the Help button open.
    static const QString kHelpTopic;

    explicit BodyDialog(InsertHost& host, QWidget* parent = nullptr);

    /// The fields as they stand now.
    BodyFields Fields() const;
    /// The body start tag of Fields(), lines ending in CR LF.
    QString BodyTag() const;

private:
    void CreateControls();
    QLineEdit* AddColourField(QGridLayout* grid, int row, int column, const QString& label,
                              const char* name, const QString& defaultText);
    void ConnectHandlers();

    void btnOKClick();
    void btnHelpClick();

    InsertHost& m_host;
    FileNameEdit* m_BGGfxEdit = nullptr;
    QCheckBox* m_gDir = nullptr;
    FileNameEdit* m_BGMidiEdit = nullptr;
    QCheckBox* m_mDir = nullptr;
    QSpinBox* m_MidiPlays = nullptr;
    QLineEdit* m_BGCol = nullptr;
    QLineEdit* m_TxtCol = nullptr;
    QLineEdit* m_LinksCol = nullptr;
    QLineEdit* m_VLinksCol = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    QPushButton* m_btnHelp = nullptr;
};

}  // namespace quinkle
