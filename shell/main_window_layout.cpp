// The main window's components, placed as designed: 700 x 493 client area,
// top and bottom bands, command column left, layer column right, the draw
// area's scroll box in the centre.

#include <QButtonGroup>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "shell/draw_area.h"
#include "shell/frame_timer.h"
#include "shell/main_window.h"
#include "shell/ox_button.h"

namespace klv::shell {

namespace {

constexpr int kClientWidth = 700;
constexpr int kClientHeight = 493;
constexpr int kTopBandHeight = 10;
constexpr int kBottomBandHeight = 8;
constexpr int kCommandColumnWidth = 106;
constexpr int kLayerColumnWidth = 130;
constexpr int kColumnHeight = kClientHeight - kTopBandHeight - kBottomBandHeight;  // 475
constexpr int kLayerStripHeight = 58;

QFont WindowFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QWidget* MakePanel(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    panel->setGeometry(geometry);
    panel->setAutoFillBackground(true);
    SetColour(panel, QPalette::Window, kPanelBlue);
    return panel;
}

OxButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
    auto* button = new OxButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

}  // namespace

void TForm1::BuildLayout() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kelvaran2 LevelEditor"));
    // A title bar without buttons or window menu: "Close" ends the program.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(kClientWidth, kClientHeight);
    move(255, 148);
    setFont(WindowFont());
    SetColour(this, QPalette::WindowText, Qt::white);

    Panel1 = MakePanel(this, QStringLiteral("Panel1"), QRect(0, 0, kClientWidth, kTopBandHeight));
    Panel4 = MakePanel(this, QStringLiteral("Panel4"),
                       QRect(0, kClientHeight - kBottomBandHeight, kClientWidth, kBottomBandHeight));
    Panel3 = MakePanel(this, QStringLiteral("Panel3"), QRect(0, kTopBandHeight, kCommandColumnWidth, kColumnHeight));
    Panel2 = MakePanel(this, QStringLiteral("Panel2"),
                       QRect(kClientWidth - kLayerColumnWidth, kTopBandHeight, kLayerColumnWidth, kColumnHeight));
    BuildCommandColumn();
    BuildLayerColumn();
    BuildCentre();
    DXTimer1 = new FrameTimer(this);
}

void TForm1::BuildCommandColumn() {
    Label1 = new QLabel(QStringLiteral("15x15"), Panel3);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(33, 147, 30, 14);
    SetColour(Label1, QPalette::WindowText, Qt::white);

    const auto command = [this](const char* name, const char* caption, int top) {
        return MakeButton(Panel3, QString::fromLatin1(name), QString::fromLatin1(caption), QRect(15, top, 75, 25));
    };
    oxButton1 = command("oxButton1", "NewLevel", 6);
    oxButton2 = command("oxButton2", "SaveLevel", 36);
    oxButton8 = command("oxButton8", "Save As...", 66);
    oxButton6 = command("oxButton6", "OpenLevel", 96);
    oxButton7 = command("oxButton7", "GridSize", 165);
    oxButton11 = command("oxButton11", "About", 414);
    oxButton9 = command("oxButton9", "Close", 444);
    // Tab order as designed: NewLevel, SaveLevel, OpenLevel, GridSize,
    // Save As..., Close, About.
    setTabOrder(oxButton1, oxButton2);
    setTabOrder(oxButton2, oxButton6);
    setTabOrder(oxButton6, oxButton7);
    setTabOrder(oxButton7, oxButton8);
    setTabOrder(oxButton8, oxButton9);
    setTabOrder(oxButton9, oxButton11);
}

void TForm1::BuildLayerColumn() {
    Panel6 = MakePanel(Panel2, QStringLiteral("Panel6"), QRect(0, 0, kLayerColumnWidth, kLayerStripHeight));
    oxButton3 = MakeButton(Panel6, QStringLiteral("oxButton3"), QStringLiteral("Land"), QRect(3, 3, 40, 25));
    oxButton4 = MakeButton(Panel6, QStringLiteral("oxButton4"), QStringLiteral("Ball"), QRect(45, 3, 40, 25));
    oxButton12 = MakeButton(Panel6, QStringLiteral("oxButton12"), QStringLiteral("Surface"), QRect(86, 3, 43, 25));
    oxButton10 =
        MakeButton(Panel6, QStringLiteral("oxButton10"), QStringLiteral("Object Ball"), QRect(3, 30, 126, 25));
    oxButton5 = MakeButton(Panel6, QStringLiteral("oxButton5"), QStringLiteral("Other"), QRect(123, 0, 40, 25));
    oxButton5->hide();

    Notebook1 = new QStackedWidget(Panel2);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    Notebook1->setGeometry(0, kLayerStripHeight, kLayerColumnWidth, kColumnHeight - kLayerStripHeight);
    ScrollBox1 = BuildPalettePage(0);
    ScrollBox2 = BuildPalettePage(1);
    ScrollBox3 = BuildPalettePage(2);
    ScrollBox4 = BuildPalettePage(3);
    ScrollBox5 = BuildPalettePage(4);
    SetActivePage(QStringLiteral("4"));
}

QScrollArea* TForm1::BuildPalettePage(int pageIndex) {
    auto* page = new QWidget;
    // The page's caption is the layer code its palette places.
    page->setWindowTitle(QString::number(pageIndex));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* scrollBox = new QScrollArea(page);
    scrollBox->setObjectName(QStringLiteral("ScrollBox%1").arg(pageIndex + 1));
    if (pageIndex == 4) {
        scrollBox->setFrameStyle(QFrame::Box | QFrame::Plain);
        scrollBox->setLineWidth(1);
    } else {
        scrollBox->setFrameStyle(QFrame::NoFrame);
    }
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    scrollBox->setFont(font);
    QPalette palette = scrollBox->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    scrollBox->setPalette(palette);
    scrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Scroll boxes are no tab stops: Tab goes round the push buttons only.
    scrollBox->setFocusPolicy(Qt::NoFocus);
    scrollBox->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setObjectName(scrollBox->objectName() + QStringLiteral("Content"));
    scrollBox->setWidget(content);
    layout->addWidget(scrollBox);

    auto* group = new QButtonGroup(scrollBox);
    group->setExclusive(true);

    Notebook1->addWidget(page);
    return scrollBox;
}

void TForm1::BuildCentre() {
    ScrollBox110 = new QScrollArea(this);
    ScrollBox110->setObjectName(QStringLiteral("ScrollBox110"));
    ScrollBox110->setGeometry(kCommandColumnWidth, kTopBandHeight, kClientWidth - kCommandColumnWidth - kLayerColumnWidth,
                              kColumnHeight);
    ScrollBox110->setFrameStyle(QFrame::NoFrame);
    ScrollBox110->setFocusPolicy(Qt::NoFocus);
    ScrollBox110->setWidgetResizable(false);
    ScrollBox110->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetColour(ScrollBox110, QPalette::Window, Qt::black);
    SetColour(ScrollBox110->viewport(), QPalette::Window, Qt::black);
    ScrollBox110->viewport()->setAutoFillBackground(true);

    DXDraw1 = new DrawArea;
    DXDraw1->setGeometry(-3, 0, 466, 471);
    ScrollBox110->setWidget(DXDraw1);
    // The scroll area asks its widget to fill its background; the draw area
    // paints every pixel itself.
    DXDraw1->setAutoFillBackground(false);
}

}  // namespace klv::shell
