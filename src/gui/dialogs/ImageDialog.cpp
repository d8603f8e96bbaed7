// The Insert Image dialog: a picture file with its alternative text, alignment and size, and
// a preview of the picture.
#include "gui/dialogs/ImageDialog.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "engine/help/HelpTopics.h"
#include "engine/html/FilePaths.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/DialogFields.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/widgets/FileNameEdit.h"
#include "gui/widgets/StdText.h"

namespace quinkle {
namespace {

const QString kGraphicKey = QStringLiteral("GFXPath");
constexpr QSize kPreviewSize(160, 120);

QSpinBox* MakePercent(QWidget* owner, const char* name) {
    auto* spin = new QSpinBox(owner);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(-500, 500);
    spin->setValue(100);
    return spin;
}

QRadioButton* MakeRadio(QWidget* owner, const char* name, const QString& caption) {
    auto* radio = new QRadioButton(caption, owner);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

}  // namespace

ImageDialog::ImageDialog(InsertHost& host, QWidget* parent)
    : InsertDialog(host, parent, "frmImage", QStringLiteral("HTML Quinkle - Insert an Image..."),
                   ucInsertImage, kTopicImageDialog) {
    m_BGGfxEdit = new FileNameEdit(this);
    m_BGGfxEdit->setObjectName(QStringLiteral("BGGfxEdit"));
    m_BGGfxEdit->SetDialogTitle(QStringLiteral("Select Image"));
    m_BGGfxEdit->SetFilter(
        QStringLiteral("Graphic Files (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg|All Files (*.*)|*.*"));
    m_CheckBox1 = new QCheckBox(QStringLiteral("&Use File Dir?"), this);
    m_CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    m_edAlt = new QLineEdit(this);
    m_edAlt->setObjectName(QStringLiteral("edAlt"));

    auto* align = new QGroupBox(QStringLiteral("Align"), this);
    align->setObjectName(QStringLiteral("AlignGroup"));
    m_rbTop = MakeRadio(align, "rbTop", QStringLiteral("&Top"));
    m_rbMiddle = MakeRadio(align, "rbMiddle", QStringLiteral("&Middle"));
    m_rbBottom = MakeRadio(align, "rbBottom", QStringLiteral("&Bottom"));
    m_rbMiddle->setChecked(true);
    auto* radios = new QHBoxLayout(align);
    radios->addWidget(m_rbTop);
    radios->addWidget(m_rbMiddle);
    radios->addWidget(m_rbBottom);

    m_sWidth = MakePercent(this, "sWidth");
    m_sHeight = MakePercent(this, "sHeight");
    m_sizeLabel = new QLabel(this);
    m_sizeLabel->setObjectName(QStringLiteral("lblImageSize"));
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("imgPreview"));
    m_preview->setFixedSize(kPreviewSize + QSize(4, 4));
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);

    auto* file = new QHBoxLayout;
    file->addWidget(m_BGGfxEdit, 1);
    file->addWidget(m_CheckBox1);
    auto* form = new QFormLayout;
    auto* fileLabel = new QLabel(QStringLiteral("&FileName:"), this);
    fileLabel->setBuddy(m_BGGfxEdit->LineEdit());
    form->addRow(fileLabel, file);
    form->addRow(QStringLiteral("&Alternative Text:"), m_edAlt);
    form->addRow(align);
    form->addRow(QStringLiteral("&Width%   (-500/500)"), m_sWidth);
    form->addRow(QStringLiteral("&Height%  (-500/500)"), m_sHeight);
    form->addRow(QStringLiteral("Size:"), m_sizeLabel);
    auto* fields = new QHBoxLayout;
    fields->addLayout(form, 1);
    fields->addWidget(m_preview, 0, Qt::AlignTop);
    SetFieldsLayout(fields);
    resize(560, sizeHint().height());

    ConnectFileBrowse(this, Host(), m_BGGfxEdit, m_CheckBox1, kGraphicKey);
    // Connected after the browse handler, so the name is cut before the picture is read.
    connect(m_BGGfxEdit, &FileNameEdit::FileChosen, this, &ImageDialog::FileChosen);
    connect(m_BGGfxEdit, &FileNameEdit::Edited, this, &ImageDialog::UpdatePicture);
    connect(m_CheckBox1, &QCheckBox::clicked, this, &ImageDialog::UseFileDirClicked);
    UpdatePicture();
}

ImageFields ImageDialog::Fields() const {
    ImageFields fields;
    fields.FileName = ToStd(m_BGGfxEdit->FileName());
    fields.Alt = ToStd(m_edAlt->text());
    fields.Align = m_rbTop->isChecked()      ? ImageAlign::Top
                   : m_rbBottom->isChecked() ? ImageAlign::Bottom
                                             : ImageAlign::Middle;
    fields.WidthPercent = m_sWidth->value();
    fields.HeightPercent = m_sHeight->value();
    fields.PixelWidth = m_imageSize.isValid() ? m_imageSize.width() : 0;
    fields.PixelHeight = m_imageSize.isValid() ? m_imageSize.height() : 0;
    return fields;
}

GeneratedText ImageDialog::Generated() const { return BuildImage(Fields()); }

void ImageDialog::FileChosen(const QString& fileName) {
    m_browsedPath = FromStd(StripQuotes(ToStd(fileName)));
    UpdatePicture();
}

// Ticking or unticking the box cuts the name now in the field down to its file name.
void ImageDialog::UseFileDirClicked() {
    CutToFileName(m_BGGfxEdit);
    UpdatePicture();
}

QString ImageDialog::PicturePath() const {
    const QString named = FromStd(StripQuotes(ToStd(m_BGGfxEdit->FileName())));
    if (named.isEmpty()) return QString();
    if (!m_browsedPath.isEmpty() &&
        (named == m_browsedPath || named == FromStd(FileNameOnly(ToStd(m_browsedPath)))))
        return m_browsedPath;
    return named;
}

void ImageDialog::UpdatePicture() {
    const QString path = PicturePath();
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = path.isEmpty() || !QFileInfo(path).isFile() ? QSize() : reader.size();
    if (!stored.isValid() || stored.isEmpty()) {
        m_imageSize = QSize();
        m_preview->setPixmap(QPixmap());
        m_preview->setText(path.isEmpty() ? QString() : QStringLiteral("No preview"));
        m_sizeLabel->setText(QStringLiteral("not known (percent of the page)"));
        return;
    }
    // A photo stored on its side shows turned upright, so its width is the stored height.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    m_imageSize = turned ? stored.transposed() : stored;
    m_sizeLabel->setText(QStringLiteral("%1 x %2 pixels (percent of the picture)")
                             .arg(m_imageSize.width())
                             .arg(m_imageSize.height()));
    // The reader scales before it turns the picture.
    const QSize box = turned ? kPreviewSize.transposed() : kPreviewSize;
    reader.setScaledSize(
        stored.scaled(box, Qt::KeepAspectRatio).boundedTo(stored).expandedTo({1, 1}));
    const QImage image = reader.read();
    m_preview->setText(image.isNull() ? QStringLiteral("No preview") : QString());
    if (!image.isNull()) m_preview->setPixmap(QPixmap::fromImage(image));
}

}  // namespace quinkle
