#include "shell/message_boxes.h"

#include <QMessageBox>

#include "shell/frame_timer.h"
#include "shell/window_texts.h"

namespace klv::shell {

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace

void ShowInformationBox(QWidget* parent, const QString& caption, const QString& text) {
    ShowBox(parent, QMessageBox::Information, caption, text);
}

void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text) {
    ShowBox(parent, QMessageBox::Warning, caption, text);
}

void ShowErrorMessageBox(QWidget* parent, const QString& caption, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, caption, text);
}

void ShowApplicationErrorBox(QWidget* parent, const QString& message, FrameTimer* ticksToHold) {
    const TickSuspension hold(ticksToHold);
    ShowBox(parent, QMessageBox::Critical, kApplicationTitle, ErrorBoxText(message));
}

}  // namespace klv::shell
