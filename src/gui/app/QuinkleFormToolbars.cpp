// The main window's toolbars and tool windows, the Show/Hide Toolbars pop-up, large and
// small buttons, the dock background and the saved toolbar layout.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "engine/store/IniFile.h"
#include "engine/store/ProgramSettings.h"
#include "gui/app/BannerMenu.h"
#include "gui/app/QuinkleForm.h"

namespace quinkle {
namespace {

constexpr int kSmallButton = 25;
constexpr int kLargeButtonHeight = 40;
constexpr int kLargeButtonWidth = 46;
constexpr int kIconSize = 20;

// The sixteen basic colours of the colour box, by their program names.
constexpr struct {
    const char* name;
    QRgb rgb;
} kColours[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x800000},  {"clGreen", 0x008000}, {"clOlive", 0x808000},
    {"clNavy", 0x000080},   {"clPurple", 0x800080},  {"clTeal", 0x008080},  {"clGray", 0x808080},
    {"clSilver", 0xc0c0c0}, {"clRed", 0xff0000},     {"clLime", 0x00ff00},  {"clYellow", 0xffff00},
    {"clBlue", 0x0000ff},   {"clFuchsia", 0xff00ff}, {"clAqua", 0x00ffff},  {"clWhite", 0xffffff}};

// The font box lists the scalable fonts; it asks the font system only when first opened,
// which keeps the start-up quick.
class FontNameBox : public QComboBox {
public:
    explicit FontNameBox(QWidget* parent) : QComboBox(parent) {
        setEditable(true);
        setInsertPolicy(QComboBox::NoInsert);
        addItem(QStringLiteral("Times New Roman"));
    }

    void showPopup() override {
        if (!m_filled) {
            m_filled = true;
            const QString current = currentText();
            QStringList names;
            for (const QString& family : QFontDatabase::families()) {
                if (QFontDatabase::isSmoothlyScalable(family)) names << family;
            }
            if (!names.contains(current)) names << current;
            names.sort(Qt::CaseInsensitive);
            clear();
            addItems(names);
            setCurrentText(current);
        }
        QComboBox::showPopup();
    }

private:
    bool m_filled = false;
};

QIcon ColourSwatch(QRgb rgb) {
    QPixmap swatch(12, 12);
    swatch.fill(QColor(rgb));
    QPainter painter(&swatch);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, 11, 11);
    return QIcon(swatch);
}

int Tag(const QObject* button) { return button->property("Tag").toInt(); }

}  // namespace

QToolBar* QuinkleForm::NewToolbar(const char* name, Qt::ToolBarArea area) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(QLatin1String(name));
    bar->setIconSize(QSize(kIconSize, kIconSize));
    addToolBar(area, bar);
    m_toolbars.append(bar);
    return bar;
}

QToolButton* QuinkleForm::AddButton(QToolBar* bar, const char* name, int tag) {
    QAction* action = Command(QLatin1String(name));
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setObjectName(QLatin1String(name));
    button->setProperty("Tag", tag);
    if (tag != 0) {
        // Quick buttons show their caption and stay hidden until they are set up.
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        action->setVisible(false);
    } else {
        button->setFixedSize(kSmallButton, kSmallButton);
    }
    return button;
}

void QuinkleForm::CreateToolbars() {
    QToolBar* mainTool = NewToolbar("MainTool", Qt::TopToolBarArea);
    mainTool->setWindowTitle(QStringLiteral("Main Toolbar"));
    for (const char* name : {"btnNew", "btnOpen", "btnSave", "btnPrint", "btnExit", "btnHelp",
                             "btnAbout", "btnToolBar"})
        AddButton(mainTool, name);
    QToolButton* view = AddButton(mainTool, "btnView");
    view->setMenu(findChild<QMenu*>(QStringLiteral("puBrowser")));
    view->setPopupMode(QToolButton::MenuButtonPopup);

    QToolBar* editTool = NewToolbar("EditTool", Qt::TopToolBarArea);
    editTool->setWindowTitle(QStringLiteral("Edit Tools"));
    for (const char* name : {"btnCut", "btnPaste", "btnCopy", "btnFind", "btnReplace"})
        AddButton(editTool, name);
    for (const auto& [name, popup] :
         {std::pair{"btnUndo", "UndoPopup"}, {"btnRedo", "ReDoPopup"}}) {
        QToolButton* button = AddButton(editTool, name);
        button->setMenu(findChild<QMenu*>(QLatin1String(popup)));
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    AddButton(editTool, "btnDelete");

    QToolBar* macrosBar = NewToolbar("MacrosBar", Qt::TopToolBarArea);
    macrosBar->setWindowTitle(QStringLiteral("Macros Toolbar "));
    for (const char* name : {"btnRec", "btnPlay", "btnViewMac", "btnMStop"})
        AddButton(macrosBar, name);
    m_edMacro = new QLineEdit(QStringLiteral("No Macros Found"), macrosBar);
    m_edMacro->setObjectName(QStringLiteral("edMacro"));
    m_edMacro->setFixedWidth(120);
    macrosBar->addWidget(m_edMacro);

    addToolBarBreak(Qt::TopToolBarArea);
    QToolBar* htmlBar = NewToolbar("HTMLBar", Qt::TopToolBarArea);
    htmlBar->setWindowTitle(QStringLiteral("Insert HTML"));
    for (const char* name : {"btnHead", "btnBody", "btnImage", "btnInsertTable", "btnAnchor",
                             "btnHRule", "btnForm", "btnDate", "btnCalculator", "btnGradText"})
        AddButton(htmlBar, name);

    QToolBar* styleBar = NewToolbar("StyleBar", Qt::TopToolBarArea);
    styleBar->setWindowTitle(QStringLiteral("Style"));
    for (const char* name : {"btnBold", "btnItalics", "btnUnderline", "btnAlignCenter",
                             "btnAlignLeft", "btnAlignRight", "btnNList", "btnBList"})
        AddButton(styleBar, name);
    m_obHeading = new QComboBox(styleBar);
    m_obHeading->setObjectName(QStringLiteral("obHeading"));
    for (int level = 1; level <= 6; ++level)
        m_obHeading->addItem(QStringLiteral("<H%1>").arg(level));
    styleBar->addWidget(m_obHeading);
    for (const char* name : {"btnUnIndent", "btnIndent"}) AddButton(styleBar, name);

    addToolBarBreak(Qt::TopToolBarArea);
    QToolBar* fontBar = NewToolbar("Fontbar", Qt::TopToolBarArea);
    fontBar->setWindowTitle(QStringLiteral("Font"));
    AddButton(fontBar, "btnAddFont");
    const auto addCheck = [fontBar](const char* name, const char* caption) {
        auto* box = new QCheckBox(QLatin1String(caption), fontBar);
        box->setObjectName(QLatin1String(name));
        box->setChecked(true);
        fontBar->addWidget(box);
        return box;
    };
    m_chAddFont = addCheck("chAddFont", "Face");
    m_chAddColour = addCheck("chAddColour", "Colour");
    m_chAddSize = addCheck("chAddSize", "Size");
    m_cbSize = new QComboBox(fontBar);
    m_cbSize->setObjectName(QStringLiteral("cbSize"));
    for (int size = -6; size <= 6; ++size) m_cbSize->addItem(QString::number(size));
    m_cbSize->setCurrentText(QStringLiteral("0"));
    fontBar->addWidget(m_cbSize);
    m_cbColour = new QComboBox(fontBar);
    m_cbColour->setObjectName(QStringLiteral("cbColour"));
    for (const auto& colour : kColours) {
        m_cbColour->addItem(ColourSwatch(colour.rgb), QLatin1String(colour.name + 2),
                            QLatin1String(colour.name));
    }
    fontBar->addWidget(m_cbColour);
    m_cbFont = new FontNameBox(fontBar);
    m_cbFont->setObjectName(QStringLiteral("cbFont"));
    m_cbFont->setMinimumWidth(150);
    fontBar->addWidget(m_cbFont);

    QToolBar* headingTool = NewToolbar("HeadingTool", Qt::LeftToolBarArea);
    headingTool->setWindowTitle(QStringLiteral("Insert Heading"));
    for (const char* name : {"btnH1", "btnH2", "btnH3", "btnH4", "btnH5", "btnH6"})
        AddButton(headingTool, name);

    QToolBar* textTool = NewToolbar("TextTool", Qt::BottomToolBarArea);
    textTool->setWindowTitle(QStringLiteral("Insert A Text File"));
    for (int tag = 1; tag <= 5; ++tag)
        AddButton(textTool, QStringLiteral("btnQFile%1").arg(tag).toLatin1().constData(), tag);
    AddButton(textTool, "btnFileAdd");
    AddButton(textTool, "btnAddTextFileConfig");

    QToolBar* quickFormat = NewToolbar("QFormat", Qt::BottomToolBarArea);
    quickFormat->setWindowTitle(QStringLiteral("Insert Quick Formatting"));
    for (int tag = 6; tag <= 10; ++tag) {
        AddButton(quickFormat, QStringLiteral("btnQFormat%1").arg(tag - 5).toLatin1().constData(),
                  tag);
    }
    AddButton(quickFormat, "btnQFormatConfig");
}

void QuinkleForm::CreateToolWindows() {
    auto* quickLoad = new QDockWidget(QStringLiteral("Quick File Load"), this);
    quickLoad->setObjectName(QStringLiteral("twQFileLoad"));
    auto* quickLoadBody = new QWidget(quickLoad);
    auto* quickLoadLayout = new QVBoxLayout(quickLoadBody);
    quickLoadLayout->setContentsMargins(2, 2, 2, 2);
    m_flQFileLoad = new QListWidget(quickLoadBody);
    m_flQFileLoad->setObjectName(QStringLiteral("flQFileLoad"));
    m_flQFileLoad->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_flQFileLoad, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        findChild<QMenu*>(QStringLiteral("pmQFileLoad"))->popup(m_flQFileLoad->mapToGlobal(at));
    });
    m_cbQFileLoad = new QCheckBox(QStringLiteral("Show All HTML Files"), quickLoadBody);
    m_cbQFileLoad->setObjectName(QStringLiteral("cbQFileLoad"));
    m_cbQFileLoad->setToolTip(
        QStringLiteral("Either shows the *.htm\nfiles in a directory or\nall of the files."));
    m_edQFLoad = new QLineEdit(quickLoadBody);
    m_edQFLoad->setObjectName(QStringLiteral("edQFLoad"));
    m_edQFLoad->hide();
    quickLoadLayout->addWidget(m_flQFileLoad, 1);
    quickLoadLayout->addWidget(m_cbQFileLoad);
    quickLoad->setWidget(quickLoadBody);
    addDockWidget(Qt::RightDockWidgetArea, quickLoad);
    resizeDocks({quickLoad}, {170}, Qt::Horizontal);
    m_toolWindows.append(quickLoad);

    auto* macros = new QDockWidget(QStringLiteral("Macros Window"), this);
    macros->setObjectName(QStringLiteral("twMacros"));
    auto* macrosBody = new QWidget(macros);
    auto* macrosLayout = new QVBoxLayout(macrosBody);
    macrosLayout->setContentsMargins(2, 2, 2, 2);
    m_lbMacros = new QListWidget(macrosBody);
    m_lbMacros->setObjectName(QStringLiteral("lbMacros"));
    m_lbMacros->setSortingEnabled(true);
    m_lbMacros->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lbMacros, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        findChild<QMenu*>(QStringLiteral("pmMacros"))->popup(m_lbMacros->mapToGlobal(at));
    });
    auto* play = new QToolButton(macrosBody);
    play->setObjectName(QStringLiteral("btnWPlay"));
    play->setDefaultAction(Command(QStringLiteral("btnWPlay")));
    play->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    macrosLayout->addWidget(m_lbMacros, 1);
    macrosLayout->addWidget(play);
    macros->setWidget(macrosBody);
    addDockWidget(Qt::RightDockWidgetArea, macros);
    macros->setFloating(true);
    macros->resize(180, 240);
    macros->hide();
    m_toolWindows.append(macros);
}

// ---- Show/Hide Toolbars ----

QMenu* QuinkleForm::BuildToolbarPopup() {
    auto* popup = new BannerMenu(QString(), this);
    popup->setObjectName(QStringLiteral("puToolBar"));
    popup->SetBanner(QStringLiteral("Toolbars"));
    popup->SetMenuLook(m_menusLook);
    popup->setFont(font());
    const auto addItem = [popup](QWidget* window) {
        QAction* item = popup->addAction(window->windowTitle());
        item->setCheckable(true);
        item->setChecked(window->isVisible());
    };
    for (QToolBar* bar : m_toolbars) addItem(bar);
    popup->addSeparator();
    for (QDockWidget* window : m_toolWindows) addItem(window);
    connect(popup, &QMenu::triggered, this, &QuinkleForm::DoToolbars);
    return popup;
}

QMenu* QuinkleForm::createPopupMenu() { return BuildToolbarPopup(); }

void QuinkleForm::DoToolbars(QAction* item) {
    const QString caption = item->text();
    for (QToolBar* bar : m_toolbars) {
        if (bar->windowTitle() == caption) bar->setVisible(!bar->isVisible());
    }
    for (QDockWidget* window : m_toolWindows) {
        if (window->windowTitle() == caption) window->setVisible(!window->isVisible());
    }
}

// ---- buttons, background and layout ----

void QuinkleForm::ApplyLargeButtons(bool large) {
    setUpdatesEnabled(false);
    for (QToolBar* bar : m_toolbars) {
        for (QToolButton* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            if (button->objectName().isEmpty() || Tag(button) != 0) continue;
            if (large) {
                int textWidth = button->fontMetrics().horizontalAdvance(button->text());
                if (button->popupMode() == QToolButton::MenuButtonPopup)
                    textWidth += button->style()->pixelMetric(QStyle::PM_MenuButtonIndicator);
                button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
                button->setFixedSize(std::max(kLargeButtonWidth, textWidth + 10),
                                     kLargeButtonHeight);
            } else {
                button->setToolButtonStyle(Qt::ToolButtonIconOnly);
                button->setFixedSize(kSmallButton, kSmallButton);
            }
        }
    }
    setUpdatesEnabled(true);
    m_largeButtons = large;
    if (m_settings) Write(*m_settings, kToolbarIconSize, large ? kLargeIconSize : kSmallIconSize);
}

void QuinkleForm::ApplyBackground() {
    m_backgroundShown = !m_settings || Read(*m_settings, kBackground) != 1;
    update();
}

void QuinkleForm::paintEvent(QPaintEvent* event) {
    // The docks show through around the toolbars; they carry the background picture.
    if (m_backgroundShown && !m_background.isNull()) {
        QPainter painter(this);
        painter.drawTiledPixmap(rect(), m_background);
        return;
    }
    QMainWindow::paintEvent(event);
}

void QuinkleForm::RestoreToolbarLayout() {
    const std::string state = Read(*m_settings, kToolbarState);
    if (!state.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

void QuinkleForm::SaveToolbarLayout() {
    Write(*m_settings, kToolbarState, saveState().toBase64().toStdString());
}

void QuinkleForm::BuildQuickButtonIndex() {
    m_quickButtonIndex.fill(nullptr);
    for (QToolBar* bar : m_toolbars) {
        for (QToolButton* button : bar->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            const int tag = Tag(button);
            if (tag >= 1 && tag <= 10) m_quickButtonIndex[size_t(tag)] = button;
        }
    }
}

void QuinkleForm::SetPrintCommandsVisible(bool visible) {
    m_printingAvailable = visible;
    Command(QStringLiteral("mnuPrint"))->setVisible(visible);
    Command(QStringLiteral("btnPrint"))->setVisible(visible);
    if (auto* separator = findChild<QAction*>(QStringLiteral("PrintSeparator")))
        separator->setVisible(visible);
}

void QuinkleForm::ApplyMenusLook(int look) {
    m_menusLook = look;
    for (BannerMenu* menu : m_bannerMenus) menu->SetMenuLook(look);
}

}  // namespace quinkle
