// The Insert Image dialog: a picture file with its alternative text, alignment and size, and
// a preview of the picture.
#pragma once

#include <QSize>
#include <QString>

#include "engine/html/ImageText.h"
#include "gui/dialogs/InsertDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace quinkle {

class FileNameEdit;

/// Builds an img tag from its fields; OK inserts it as one "Insert Image" undo step, or
/// nothing when no file is named. The picture's own size (read from the file when it can be
/// found) sets the width and height, and a preview shows it. The fields keep their values.
class ImageDialog : public InsertDialog {
    Q_OBJECT

public:
    explicit ImageDialog(InsertHost& host, QWidget* parent = nullptr);

    ImageFields Fields() const;
    GeneratedText Generated() const override;
    /// The picture's size in pixels; empty when the named file cannot be read as a picture.
    QSize ImageSize() const { return m_imageSize; }

private:
    void FileChosen(const QString& fileName);
    void UseFileDirClicked();
    /// Reads the size and the preview of the file the field names.
    void UpdatePicture();
    /// The file the field names: the browsed one when the field holds its name or path.
    QString PicturePath() const;

    FileNameEdit* m_BGGfxEdit = nullptr;
    QCheckBox* m_CheckBox1 = nullptr;
    QLineEdit* m_edAlt = nullptr;
    QRadioButton* m_rbTop = nullptr;
    QRadioButton* m_rbMiddle = nullptr;
    QRadioButton* m_rbBottom = nullptr;
    QSpinBox* m_sWidth = nullptr;
    QSpinBox* m_sHeight = nullptr;
    QLabel* m_preview = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QString m_browsedPath;
    QSize m_imageSize;
};

}  // namespace quinkle
