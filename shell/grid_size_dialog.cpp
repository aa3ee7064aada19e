#include "shell/grid_size_dialog.h"

#include <utility>

#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>
#include <QShowEvent>

#include "shell/grid_size_text.h"
#include "shell/ox_button.h"

namespace klv::shell {

TForm2* Form2 = nullptr;

namespace {

QFont arial11() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

// White text on the dialog's dark blue, for the window, labels and edits.
QPalette dialogPalette(QPalette palette) {
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, kPanelBlue);
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, Qt::white);
    }
    return palette;
}

QLineEdit* makeSizeEdit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* edit = new QLineEdit(QStringLiteral("15"), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    edit->setMaxLength(2);
    edit->setFont(arial11());
    edit->setPalette(dialogPalette(edit->palette()));
    return edit;
}

// The design size fits the caption in Arial; a stand-in face may run a
// pixel or two wider, and the label grows to its text rather than clip it.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(arial11());
    label->setGeometry(QRect(geometry.topLeft(), geometry.size().expandedTo(label->sizeHint())));
    return label;
}

}  // namespace

TForm2::TForm2(QWidget* owner, ApplySize applySize, SetSizeLabel setSizeLabel)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      applySize_(std::move(applySize)),
      setSizeLabel_(std::move(setSizeLabel)) {
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(242, 96);
    setFont(arial11());
    setPalette(dialogPalette(palette()));
    setAutoFillBackground(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setAutoFillBackground(true);
    Panel1->setGeometry(rect());

    Label1 = makeLabel(Panel1, "Label1", QStringLiteral("Weidht"), QRect(21, 24, 33, 14));
    Edit1 = makeSizeEdit(Panel1, "Edit1", QRect(59, 19, 47, 22));
    Label2 = makeLabel(Panel1, "Label2", QStringLiteral("Heigth"), QRect(132, 24, 30, 14));
    Edit2 = makeSizeEdit(Panel1, "Edit2", QRect(170, 19, 47, 22));

    oxButton7 = new OxButton(QStringLiteral("OK"), Panel1);
    oxButton7->setObjectName(QStringLiteral("oxButton7"));
    oxButton7->setGeometry(42, 62, 75, 25);
    oxButton1 = new OxButton(QStringLiteral("Cancel"), Panel1);
    oxButton1->setObjectName(QStringLiteral("oxButton1"));
    oxButton1->setGeometry(129, 62, 75, 25);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, oxButton7);
    setTabOrder(oxButton7, oxButton1);
    Edit1->setFocus();

    connect(Edit1, &QLineEdit::textChanged, this, &TForm2::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TForm2::Edit2Change);
    connect(oxButton7, &QAbstractButton::clicked, this, &TForm2::oxButton7Click);
    connect(oxButton1, &QAbstractButton::clicked, this, &TForm2::oxButton1Click);

    Form2 = this;
}

TForm2::~TForm2() {
    FormDestroy();
}

void TForm2::FormDestroy() {
    if (Form2 == this) {
        Form2 = nullptr;
    }
}

// Copying only when the texts differ is what lets the pair settle after a
// single copy: the echo back into the first edit finds nothing to change.
void TForm2::Edit1Change() {
    if (Edit2->text() != Edit1->text()) {
        Edit2->setText(Edit1->text());
    }
}

void TForm2::Edit2Change() {
    if (Edit1->text() != Edit2->text()) {
        Edit1->setText(Edit2->text());
    }
}

void TForm2::oxButton7Click() {
    const auto width = ParseGridSize(Edit1->text());
    const auto height = ParseGridSize(Edit2->text());
    if (!width || !height) {
        return;  // the user corrects the text or cancels
    }
    if (applySize_) {
        applySize_(*width, *height);
    }
    applied_ = true;
    accept();
}

void TForm2::oxButton1Click() {
    reject();
}

void TForm2::done(int result) {
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    QDialog::done(result);
}

void TForm2::FormClose() {
    if (applied_ && setSizeLabel_) {
        setSizeLabel_(Edit1->text() + QStringLiteral("X") + Edit2->text());
    }
}

void TForm2::showEvent(QShowEvent* event) {
    QRect over;
    if (parentWidget() != nullptr) {
        over = parentWidget()->window()->frameGeometry();
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        over = screen->availableGeometry();
    }
    if (over.isValid()) {
        move(over.center() - rect().center());
    }
    QDialog::showEvent(event);
}

}  // namespace klv::shell
