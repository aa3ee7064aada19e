#include "shell/about_box.h"

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QShowEvent>

#include "shell/about_texts.h"
#include "shell/banner.h"
#include "shell/ox_button.h"

namespace klv::shell {

TForm3* Form3 = nullptr;

namespace {

// MS Sans Serif 11 px; where it is missing, the system's sans face.
QFont aboutFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

QFrame* makePanel(QWidget* parent, const char* name, QFrame::Shadow shadow, const QColor& colour) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    // WinPanel is the two-line bevel: an outer and an inner ring.
    panel->setFrameStyle(QFrame::WinPanel | shadow);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, colour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* makeTextLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(at);
    label->resize(label->sizeHint());  // the label fits its text
    return label;
}

}  // namespace

TForm3::TForm3(QWidget* owner) : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(433, 221);
    setFont(aboutFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kPanelBlue);
    palette.setColor(QPalette::WindowText, Qt::white);
    setPalette(palette);

    Panel1 = makePanel(this, "Panel1", QFrame::Raised, kPanelBlue);
    Panel1->setGeometry(rect());

    Panel2 = makePanel(Panel1, "Panel2", QFrame::Sunken, Qt::black);
    Panel2->setGeometry(15, 14, 406, 116);

    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(6, 6, kBannerWidth, kBannerHeight);
    Image1->setScaledContents(true);
    Image1->setPixmap(QPixmap::fromImage(DrawBanner()));

    Label1 = makeTextLabel(Panel1, "Label1", AboutProductLine(), {15, 138});
    Label2 = makeTextLabel(Panel1, "Label2", AboutRightsLine(), {324, 138});
    Label3 = makeTextLabel(Panel1, "Label3", AboutContactLine(), {15, 162});

    oxButton9 = new OxButton(QStringLiteral("Close"), Panel1);
    oxButton9->setObjectName(QStringLiteral("oxButton9"));
    oxButton9->setGeometry(342, 184, 75, 25);
    oxButton9->setFocus();
    connect(oxButton9, &QAbstractButton::clicked, this, &TForm3::oxButton9Click);

    Form3 = this;
}

TForm3::~TForm3() {
    FormDestroy();
}

void TForm3::FormDestroy() {
    if (Form3 == this) {
        Form3 = nullptr;
    }
}

void TForm3::oxButton9Click() {
    accept();
}

void TForm3::done(int result) {
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

// The box is made for one showing: once closed it goes.
void TForm3::FormClose() {
    deleteLater();
}

void TForm3::showEvent(QShowEvent* event) {
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        move(screen->geometry().center() - rect().center());
    }
    QDialog::showEvent(event);
}

}  // namespace klv::shell
