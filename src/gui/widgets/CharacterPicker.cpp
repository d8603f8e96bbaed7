// A modal character picker that leaves the characters the user collected on the clipboard.
#include "gui/widgets/CharacterPicker.h"

#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quinkle {
namespace {

constexpr int kColumns = 16;
constexpr int kCellSize = 30;
constexpr int kGridPointSize = 14;
constexpr int kPreviewPointSize = 40;
constexpr int kDefaultRange = 1;  // Latin-1 Supplement: the accented letters and signs
constexpr int kCodePointRole = Qt::UserRole;

bool IsShown(char32_t code) {
    switch (QChar::category(code)) {
        case QChar::Other_Control:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return false;
        default:
            return true;
    }
}

bool IsMark(char32_t code) {
    const QChar::Category category = QChar::category(code);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

QString TextOf(char32_t code) { return QString::fromUcs4(&code, 1); }

/// What a cell shows: a combining mark sits on a dotted circle so that it can be seen.
QString CellText(char32_t code) {
    return IsMark(code) ? QString(QChar(0x25CC)) + TextOf(code) : TextOf(code);
}

QPushButton* MakeButton(QWidget* owner, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, owner);
    button->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the grid, where it picks the current character.
    button->setAutoDefault(false);
    return button;
}

}  // namespace

const QList<CharacterPicker::CharacterRange>& CharacterPicker::Ranges() {
    static const QList<CharacterRange> ranges = {
        {QStringLiteral("Basic Latin"), 0x0020, 0x007E},
        {QStringLiteral("Latin-1 Supplement"), 0x00A0, 0x00FF},
        {QStringLiteral("Latin Extended-A"), 0x0100, 0x017F},
        {QStringLiteral("Latin Extended-B"), 0x0180, 0x024F},
        {QStringLiteral("Greek and Coptic"), 0x0370, 0x03FF},
        {QStringLiteral("Cyrillic"), 0x0400, 0x04FF},
        {QStringLiteral("General Punctuation"), 0x2000, 0x206F},
        {QStringLiteral("Currency Symbols"), 0x20A0, 0x20CF},
        {QStringLiteral("Letterlike Symbols"), 0x2100, 0x214F},
        {QStringLiteral("Arrows"), 0x2190, 0x21FF},
        {QStringLiteral("Mathematical Operators"), 0x2200, 0x22FF},
        {QStringLiteral("Box Drawing"), 0x2500, 0x257F},
        {QStringLiteral("Geometric Shapes"), 0x25A0, 0x25FF},
        {QStringLiteral("Miscellaneous Symbols"), 0x2600, 0x26FF},
    };
    return ranges;
}

QList<char32_t> CharacterPicker::CharactersOf(const CharacterRange& range) {
    QList<char32_t> characters;
    for (char32_t code = range.first; code <= range.last; ++code) {
        if (IsShown(code)) characters.append(code);
    }
    return characters;
}

CharacterPicker::CharacterPicker(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCharacterPicker"));
    setWindowTitle(QStringLiteral("HTML Quinkle - Character Picker"));
    setModal(true);
    CreateControls();
    ConnectHandlers();
    ShowRange(kDefaultRange);
    cbFontChange();
}

void CharacterPicker::CreateControls() {
    m_cbFont = new QFontComboBox(this);
    m_cbFont->setObjectName(QStringLiteral("cbFont"));
    m_cbRange = new QComboBox(this);
    m_cbRange->setObjectName(QStringLiteral("cbRange"));
    for (const CharacterRange& range : Ranges()) m_cbRange->addItem(range.name);

    m_grdChars = new QTableWidget(this);
    m_grdChars->setObjectName(QStringLiteral("grdChars"));
    m_grdChars->setColumnCount(kColumns);
    m_grdChars->horizontalHeader()->hide();
    m_grdChars->verticalHeader()->hide();
    m_grdChars->horizontalHeader()->setDefaultSectionSize(kCellSize);
    m_grdChars->verticalHeader()->setDefaultSectionSize(kCellSize);
    m_grdChars->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdChars->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdChars->setMouseTracking(true);
    m_grdChars->viewport()->setMouseTracking(true);
    m_grdChars->setMinimumWidth(kColumns * kCellSize + 2 * m_grdChars->frameWidth() +
                                m_grdChars->verticalScrollBar()->sizeHint().width());
    m_grdChars->installEventFilter(this);
    m_grdChars->viewport()->installEventFilter(this);

    m_lblPreview = new QLabel(this);
    m_lblPreview->setObjectName(QStringLiteral("lblPreview"));
    m_lblPreview->setAlignment(Qt::AlignCenter);
    m_lblPreview->setFrameShape(QFrame::Box);
    m_lblPreview->setFixedSize(2 * kPreviewPointSize + 24, 2 * kPreviewPointSize + 24);
    m_lblCode = new QLabel(this);
    m_lblCode->setObjectName(QStringLiteral("lblCode"));
    m_lblCode->setAlignment(Qt::AlignCenter);
    m_lblCode->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_edCopy = new QLineEdit(this);
    m_edCopy->setObjectName(QStringLiteral("edCopy"));
    auto* copyLabel = new QLabel(QStringLiteral("Characters to co&py:"), this);
    copyLabel->setBuddy(m_edCopy);
    m_btnSelect = MakeButton(this, "btnSelect", QStringLiteral("&Select"));
    m_btnCopy = MakeButton(this, "btnCopy", QStringLiteral("&Copy"));
    m_btnCopy->setEnabled(false);
    m_btnClose = MakeButton(this, "btnClose", QStringLiteral("Close"));

    auto* fontLabel = new QLabel(QStringLiteral("&Font:"), this);
    fontLabel->setBuddy(m_cbFont);
    auto* rangeLabel = new QLabel(QStringLiteral("&Range:"), this);
    rangeLabel->setBuddy(m_cbRange);
    auto* choices = new QHBoxLayout;
    choices->addWidget(fontLabel);
    choices->addWidget(m_cbFont, 1);
    choices->addWidget(rangeLabel);
    choices->addWidget(m_cbRange, 1);

    auto* preview = new QVBoxLayout;
    preview->addWidget(m_lblPreview);
    preview->addWidget(m_lblCode);
    preview->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(m_grdChars, 1);
    middle->addLayout(preview);

    auto* collect = new QHBoxLayout;
    collect->addWidget(copyLabel);
    collect->addWidget(m_edCopy, 1);
    collect->addWidget(m_btnSelect);
    collect->addWidget(m_btnCopy);
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(m_btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(middle, 1);
    layout->addLayout(collect);
    layout->addLayout(closing);
    resize(sizeHint().width(), 420);
}

void CharacterPicker::ConnectHandlers() {
    connect(m_cbFont, &QFontComboBox::currentFontChanged, this, &CharacterPicker::cbFontChange);
    connect(m_cbRange, &QComboBox::currentIndexChanged, this, &CharacterPicker::FillGrid);
    connect(m_grdChars, &QTableWidget::cellEntered, this, &CharacterPicker::ShowPreview);
    connect(m_grdChars, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { ShowPreview(row, column); });
    connect(m_grdChars, &QTableWidget::cellDoubleClicked, this, &CharacterPicker::AddCharacter);
    connect(m_edCopy, &QLineEdit::textChanged, this, &CharacterPicker::edCopyChange);
    connect(m_btnSelect, &QPushButton::clicked, this, &CharacterPicker::btnSelectClick);
    connect(m_btnCopy, &QPushButton::clicked, this, &CharacterPicker::btnCopyClick);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void CharacterPicker::ShowRange(int index) {
    if (index < 0 || index >= Ranges().size()) return;
    if (m_cbRange->currentIndex() == index) {
        FillGrid(index);
    } else {
        m_cbRange->setCurrentIndex(index);  // the range box's change fills the grid
    }
}

void CharacterPicker::FillGrid(int index) {
    if (index < 0 || index >= Ranges().size()) return;
    const QList<char32_t> characters = CharactersOf(Ranges()[index]);
    m_grdChars->clearContents();
    m_grdChars->setRowCount(static_cast<int>((characters.size() + kColumns - 1) / kColumns));
    for (qsizetype i = 0; i < characters.size(); ++i) {
        auto* item = new QTableWidgetItem(CellText(characters[i]));
        item->setData(kCodePointRole, static_cast<uint>(characters[i]));
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        m_grdChars->setItem(static_cast<int>(i / kColumns), static_cast<int>(i % kColumns), item);
    }
    m_grdChars->setCurrentCell(0, 0);
    ShowPreview(0, 0);  // also when the current cell was already the first one
}

QString CharacterPicker::CharactersToCopy() const { return m_edCopy->text(); }

QString CharacterPicker::CellCharacter(int row, int column) const {
    const QTableWidgetItem* item = m_grdChars->item(row, column);
    if (item == nullptr) return QString();
    return TextOf(static_cast<char32_t>(item->data(kCodePointRole).toUInt()));
}

void CharacterPicker::ShowPreview(int row, int column) {
    const QString character = CellCharacter(row, column);
    if (character.isEmpty()) {
        m_lblPreview->clear();
        m_lblCode->clear();
        return;
    }
    const char32_t code = character.toUcs4().value(0);
    m_lblPreview->setText(CellText(code));
    m_lblCode->setText(QStringLiteral("U+%1\n&#%2;")
                           .arg(static_cast<uint>(code), 4, 16, QLatin1Char('0'))
                           .toUpper()
                           .arg(static_cast<uint>(code)));
}

void CharacterPicker::AddCharacter(int row, int column) {
    const QString character = CellCharacter(row, column);
    if (!character.isEmpty()) m_edCopy->insert(character);
}

bool CharacterPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grdChars->viewport() && event->type() == QEvent::Leave) {
        ShowPreview(m_grdChars->currentRow(), m_grdChars->currentColumn());
    } else if (watched == m_grdChars && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnSelectClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CharacterPicker::cbFontChange() {
    QFont grid = m_cbFont->currentFont();
    grid.setPointSize(kGridPointSize);
    m_grdChars->setFont(grid);
    QFont preview = grid;
    preview.setPointSize(kPreviewPointSize);
    m_lblPreview->setFont(preview);
    QFont collected = m_edCopy->font();
    collected.setFamily(grid.family());
    m_edCopy->setFont(collected);
}

void CharacterPicker::btnSelectClick() {
    AddCharacter(m_grdChars->currentRow(), m_grdChars->currentColumn());
}

void CharacterPicker::btnCopyClick() { QGuiApplication::clipboard()->setText(m_edCopy->text()); }

void CharacterPicker::edCopyChange(const QString& text) { m_btnCopy->setEnabled(!text.isEmpty()); }

int CharacterPicker::RunCharacterPicker(QWidget* parent) {
    CharacterPicker picker(parent);
    picker.exec();
    return 0;
}

}  // namespace quinkle
