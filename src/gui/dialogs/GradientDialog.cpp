// The gradient text designer: a line of text whose characters run through a list of colours,
// previewed, written as HTML in an editor pane and inserted into the document.
#include "gui/dialogs/GradientDialog.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

#include "engine/help/HelpTopics.h"
#include "engine/scheme/SchemeImage.h"
#include "engine/scheme/SchemeSettings.h"
#include "engine/text/UndoStack.h"
#include "gui/dialogs/DialogButtons.h"
#include "gui/dialogs/InsertHost.h"
#include "gui/editor/SourceEditorWidget.h"
#include "gui/widgets/CommandGuard.h"
#include "gui/widgets/Prompter.h"
#include "gui/widgets/StdText.h"

namespace quinkle {

/// The drawn preview: the coloured characters on the background, the marker starting a new
/// line.
class GradientPreview : public QWidget {
public:
    explicit GradientPreview(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("Image1"));
        setMinimumSize(200, 80);
    }

    void Show(std::vector<GradientCell> cells, const QFont& font, const QColor& background) {
        m_cells = std::move(cells);
        m_font = font;
        m_background = background;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), m_background);
        painter.setFont(m_font);
        const QFontMetrics metrics(m_font);
        int x = 0;
        int y = 0;
        for (const GradientCell& cell : m_cells) {
            if (cell.Character == kGradientBreak) {
                x = 0;
                y += metrics.boundingRect(QStringLiteral("Mg")).height() + 2;
                continue;
            }
            const QString text = QString::fromUcs4(&cell.Character, 1);
            painter.setPen(QColor::fromRgb(cell.Colour));
            painter.drawText(x, y + metrics.ascent(), text);
            x += metrics.horizontalAdvance(text);
        }
    }

private:
    std::vector<GradientCell> m_cells;
    QFont m_font;
    QColor m_background = Qt::white;
};

namespace {

const QString kFilter = QStringLiteral("Gradient Files|*.grd");
const QString kFolderKey = QStringLiteral("Gradient");

// Each colour entry as a swatch of its colour with its hex text in the inverse colour.
class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        const QString hex = index.data().toString();
        RgbColour rgb = 0;
        HexToRgb(ToStd(hex), rgb);
        const QColor colour = QColor::fromRgb(rgb);
        painter->save();
        painter->fillRect(option.rect, colour);
        painter->setPen(QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue()));
        painter->drawText(option.rect.adjusted(4, 0, 0, 0), Qt::AlignVCenter, hex);
        if (option.state & QStyle::State_Selected) {
            painter->setPen(QPen(option.palette.highlight(), 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(option.fontMetrics.boundingRect(QStringLiteral("Wg")).height() + 2);
        return size;
    }
};

GradientFont FontOf(const QFont& font) {
    GradientFont gradient;
    gradient.Face = ToStd(font.family());
    gradient.Points = font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF());
    if (gradient.Points <= 0) gradient.Points = 10;
    gradient.Bold = font.bold();
    gradient.Italic = font.italic();
    gradient.Underline = font.underline();
    return gradient;
}

}  // namespace

GradientDialog::GradientDialog(InsertHost& host, const CompiledScheme* htmlScheme, QWidget* parent)
    : QDialog(parent), m_host(host) {
    setObjectName(QStringLiteral("frmGradText"));
    setWindowTitle(QStringLiteral("HTML Text Gradient  Designer"));
    setModal(true);
    TakeFontName(*this, parent);
    m_font = font();

    m_Edit1 = new QLineEdit(QStringLiteral("0123456789ABCDEF"), this);
    m_Edit1->setObjectName(QStringLiteral("Edit1"));
    m_Edit1->setToolTip(QStringLiteral("Type here the text you want"));
    auto* label = new QLabel(QStringLiteral("&Text to gradient:"), this);
    label->setBuddy(m_Edit1);

    m_ListBox1 = new QListWidget(this);
    m_ListBox1->setObjectName(QStringLiteral("ListBox1"));
    m_ListBox1->setItemDelegate(new SwatchDelegate(m_ListBox1));
    m_ListBox1->setMaximumWidth(120);
    m_Image1 = new GradientPreview(this);
    m_Memo1 = new SourceEditorWidget(this);
    m_Memo1->setObjectName(QStringLiteral("Memo1"));
    m_Memo1->setToolTip(QStringLiteral("HTML text"));
    m_Memo1->SetCharset(Charset::Utf8);
    if (htmlScheme != nullptr) {
        m_scheme = std::make_unique<CompiledScheme>();
        AssignScheme(*m_scheme, *htmlScheme);
        m_Memo1->Editor().SetSettings(&m_scheme->Settings.Editor);
        m_Memo1->SetScheme(&m_scheme->Scheme);
        m_Memo1->ApplySettings();
    }

    auto* listButtons = new QGridLayout;
    const auto add = [&](int row, int column, QPushButton* button) {
        listButtons->addWidget(button, row, column);
    };
    add(0, 0,
        AddButton("Button1", QStringLiteral("&Add"),
                  QStringLiteral("Add a new color to gradient")));
    add(0, 1,
        AddButton("Button7", QStringLiteral("&Modify"), QStringLiteral("Modify selected color")));
    add(1, 0,
        AddButton("Button6", QStringLiteral("&Delete"), QStringLiteral("Delete selected color")));
    add(1, 1,
        AddButton("Button8", QStringLiteral("&Reverse"), QStringLiteral("Reverse the gradient")));
    QPushButton* up = AddButton("Button2", QString(), QStringLiteral("Move up the selected color"));
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    QPushButton* down = AddButton("Button5", QString(), QStringLiteral("Move down selected color"));
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    add(2, 0, up);
    add(2, 1, down);
    add(3, 0,
        AddButton("Button9", QStringLiteral("&Load..."),
                  QStringLiteral("Load a gradient from a file")));
    add(3, 1,
        AddButton("Button10", QStringLiteral("&Save..."),
                  QStringLiteral("Save the gradient to a file")));

    auto* left = new QVBoxLayout;
    left->addWidget(m_ListBox1, 1);
    left->addLayout(listButtons);
    auto* right = new QVBoxLayout;
    right->addWidget(m_Image1, 1);
    right->addWidget(m_Memo1, 2);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addLayout(right, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(AddButton("Button3", QStringLiteral("&Preview"),
                                QStringLiteral("generate HTML & Preview")));
    bottom->addWidget(
        AddButton("Button4", QStringLiteral("&Font..."), QStringLiteral("Change the font")));
    bottom->addStretch(1);
    bottom->addWidget(
        AddButton("Button11", QStringLiteral("&Insert"),
                  QStringLiteral("Insert into current HTML\ndocument at the cursor")));
    bottom->addWidget(
        AddButton("Button12", QStringLiteral("E&xit"), QStringLiteral("Exit the Dialog")));
    QPushButton* help = AddButton("btnHelp", QStringLiteral("&Help"), QString());

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_Edit1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(bottom);
    bottom->addWidget(help);

    const std::pair<const char*, void (GradientDialog::*)()> actions[] = {
        {"Button1", &GradientDialog::Add},     {"Button7", &GradientDialog::Modify},
        {"Button6", &GradientDialog::Delete},  {"Button8", &GradientDialog::Reverse},
        {"Button2", &GradientDialog::MoveUp},  {"Button5", &GradientDialog::MoveDown},
        {"Button9", &GradientDialog::Load},    {"Button10", &GradientDialog::Save},
        {"Button3", &GradientDialog::Preview}, {"Button4", &GradientDialog::ChooseFont},
        {"Button11", &GradientDialog::Insert},
    };
    for (const auto& [name, action] : actions) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this,
                [this, action] { Guarded([&] { (this->*action)(); }); });
    }
    connect(findChild<QPushButton*>(QStringLiteral("Button12")), &QPushButton::clicked, this,
            &QDialog::reject);
    const auto showHelp = [this] { m_host.ShowHelpTopic(FromStd(kTopicGradientDialog)); };
    connect(help, &QPushButton::clicked, this, showHelp);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this, nullptr, nullptr, Qt::WindowShortcut),
            &QShortcut::activated, this, showHelp);

    MakePopup();
    SetColours({0x0000FF, 0x00FF00, 0xFF0000});
    resize(640, 440);
    Generate();
}

GradientDialog::~GradientDialog() {
    // The editor pane outlives the members: it must not keep pointing into the scheme.
    m_Memo1->SetScheme(nullptr);
    m_Memo1->Editor().SetSettings(nullptr);
}

QPushButton* GradientDialog::AddButton(const char* name, const QString& caption,
                                       const QString& hint) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

void GradientDialog::MakePopup() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    const auto item = [this](const char* name, const QString& caption, auto work,
                             const QKeySequence& key = {}) {
        QAction* action = m_popup->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [work] { Guarded(work); });
        return action;
    };
    item("ModifyColor1", QStringLiteral("Modify color"), [this] { Modify(); });
    item("DeleteColour1", QStringLiteral("Delete Colour"), [this] { Delete(); });
    item("LoadGradient1", QStringLiteral("Load Gradient"), [this] { Load(); });
    item("SaveGradient1", QStringLiteral("Save Gradient"), [this] { Save(); });
    item("Backcolor1", QStringLiteral("Back color..."), [this] { ChooseBackground(); });
    m_popup->addSeparator();
    // The keys work in the whole dialog, as the menu shows them.
    addAction(item(
        "SelectAll1", QStringLiteral("Select All"),
        [this] {
            m_Memo1->Editor().SelectAll();
            m_Memo1->Refresh();
        },
        QKeySequence(Qt::CTRL | Qt::Key_A)));
    addAction(item(
        "Copytoclipboard1", QStringLiteral("Copy to clipboard"), [this] { m_Memo1->Copy(); },
        QKeySequence(Qt::CTRL | Qt::Key_Insert)));
    m_popup->addSeparator();
    item("Exit1", QStringLiteral("Exit"), [this] { reject(); });

    const std::pair<QWidget*, Zone> zones[] = {{this, Zone::Other},
                                               {m_ListBox1, Zone::Colours},
                                               {m_Memo1, Zone::Output},
                                               {m_Image1, Zone::Preview}};
    for (const auto& [widget, zone] : zones) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(widget, &QWidget::customContextMenuRequested, this,
                [this, widget, zone](const QPoint& at) {
                    PopupFor(zone)->popup(widget->mapToGlobal(at));
                });
    }
}

QMenu* GradientDialog::PopupFor(Zone zone) {
    const auto enable = [this](const char* name, bool on) {
        m_popup->findChild<QAction*>(QString::fromLatin1(name))->setEnabled(on);
    };
    for (const char* name : {"ModifyColor1", "DeleteColour1", "LoadGradient1", "SaveGradient1"})
        enable(name, zone == Zone::Colours);
    enable("SelectAll1", zone == Zone::Output);
    enable("Copytoclipboard1", zone == Zone::Output);
    enable("Backcolor1", zone == Zone::Preview);
    return m_popup;
}

std::vector<RgbColour> GradientDialog::Colours() const {
    std::vector<RgbColour> colours;
    for (int row = 0; row < m_ListBox1->count(); ++row) {
        RgbColour colour = 0;
        HexToRgb(ToStd(m_ListBox1->item(row)->text()), colour);
        colours.push_back(colour);
    }
    return colours;
}

void GradientDialog::SetColours(const std::vector<RgbColour>& colours) {
    m_ListBox1->clear();
    for (RgbColour colour : colours) m_ListBox1->addItem(FromStd(RgbToHex(colour)));
}

QString GradientDialog::OutputText() const { return FromStd(m_Memo1->Editor().GetText()); }

void GradientDialog::Generate() {
    const std::vector<RgbColour> colours = Colours();
    m_Memo1->Editor().Clear();
    const std::string text = ToStd(m_Edit1->text());
    m_Image1->Show(GradientCells(text, colours), m_font, m_background);
    if (colours.empty()) {
        m_Memo1->Refresh();
        Error(QStringLiteral("There is no color in the list!"));
        return;
    }
    const std::string html = BuildGradientHtml(text, colours, FontOf(m_font));
    m_Memo1->Editor().SetText(html.c_str());
    m_Memo1->Refresh();
}

void GradientDialog::Preview() {
    if (m_ListBox1->count() < 2) {
        Error(QStringLiteral("I need at least 2 colors to make a gradient!!!"));
        return;
    }
    Generate();
}

void GradientDialog::Add() {
    QColor colour;
    if (!m_host.PickColour(colour)) return;
    m_ListBox1->addItem(FromStd(RgbToHex(colour.rgb() & 0xFFFFFF)));
    m_ListBox1->setCurrentRow(m_ListBox1->count() - 1);
    Generate();
}

void GradientDialog::Modify() {
    const int row = SelectedRow();
    if (row < 0) return;
    RgbColour rgb = 0;
    HexToRgb(ToStd(m_ListBox1->item(row)->text()), rgb);
    QColor colour = QColor::fromRgb(rgb);
    if (!m_host.PickColour(colour)) return;
    m_ListBox1->item(row)->setText(FromStd(RgbToHex(colour.rgb() & 0xFFFFFF)));
    Generate();
}

void GradientDialog::Delete() {
    const int row = SelectedRow();
    if (row < 0) return;
    delete m_ListBox1->takeItem(row);
    if (m_ListBox1->count() > 0) m_ListBox1->setCurrentRow(std::max(row - 1, 0));
    Generate();
}

void GradientDialog::MoveUp() {
    const int row = SelectedRow();
    if (row > 0) Swap(row, row - 1);
}

void GradientDialog::MoveDown() {
    const int row = SelectedRow();
    if (row >= 0 && row + 1 < m_ListBox1->count()) Swap(row, row + 1);
}

void GradientDialog::Swap(int row, int other) {
    const QString text = m_ListBox1->item(row)->text();
    m_ListBox1->item(row)->setText(m_ListBox1->item(other)->text());
    m_ListBox1->item(other)->setText(text);
    m_ListBox1->setCurrentRow(other);
    Generate();
}

void GradientDialog::Reverse() {
    std::vector<RgbColour> colours = Colours();
    std::reverse(colours.begin(), colours.end());
    SetColours(colours);
    Generate();
}

void GradientDialog::ChooseFont() {
    QFont chosen = m_font;
    if (!AppPrompter().ChooseFont(chosen)) return;
    m_font = chosen;
    Generate();
}

void GradientDialog::ChooseBackground() {
    QColor colour = m_background;
    if (!m_host.PickColour(colour)) return;
    m_background = colour;
    Generate();
}

void GradientDialog::Load() {
    QString name = FileFolder();
    if (!AppPrompter().OpenFileName(QStringLiteral("Load a gradient"), kFilter, name)) return;
    m_host.RememberFolder(kFolderKey, name);
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        Error(QStringLiteral("Cannot read ") + name);
        return;
    }
    const QByteArray bytes = file.readAll();
    const GradientFile read = ReadGradientFile(std::string_view(bytes.constData(), bytes.size()));
    if (read.BadLine != 0) {
        Error(QStringLiteral("%1 is no gradient file: line %2 holds no RRGGBB colour.")
                  .arg(name)
                  .arg(read.BadLine));
        return;
    }
    SetColours(read.Colours);
    Generate();
}

void GradientDialog::Save() {
    QString name = FileFolder();
    if (!AppPrompter().SaveFileName(QStringLiteral("Save the gradient"), kFilter,
                                    QStringLiteral("grd"), name))
        return;
    m_host.RememberFolder(kFolderKey, name);
    const std::string text = WriteGradientFile(Colours());
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size())) {
        Error(QStringLiteral("Cannot write ") + name);
        return;
    }
    file.close();
    Generate();
}

void GradientDialog::Insert() {
    const QString text = OutputText();
    if (!text.isEmpty()) m_host.InsertGeneratedText(text, 0, ucGradientText);
}

int GradientDialog::SelectedRow() {
    const QList<QListWidgetItem*> selected = m_ListBox1->selectedItems();
    int row = -1;
    for (QListWidgetItem* item : selected) {
        const int at = m_ListBox1->row(item);
        if (row < 0 || at < row) row = at;
    }
    if (row < 0) Error(QStringLiteral("There is no color selected"));
    return row;
}

void GradientDialog::Error(const QString& text) {
    AppPrompter().Message(Prompter::Kind::Error, QStringLiteral("error"), text,
                          Prompter::Ok | Prompter::Cancel);
}

QString GradientDialog::FileFolder() const { return m_host.LastFolder(kFolderKey); }

}  // namespace quinkle
