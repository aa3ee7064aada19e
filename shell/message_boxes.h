#pragma once
// The modal message boxes of the editor, each with one OK button. They are
// real QMessageBox instances, so the application's modal loop runs inside.

#include <QString>

class QWidget;

namespace klv::shell {

class FrameTimer;

void ShowInformationBox(QWidget* parent, const QString& caption, const QString& text);
void ShowWarningBox(QWidget* parent, const QString& caption, const QString& text);
void ShowErrorMessageBox(QWidget* parent, const QString& caption, const QString& text);

// The application's error box: caption "Kelvaran2 LevelEditor", error icon,
// the text with the "." rule. No frame ticks while it is open, so a fault a
// tick reports cannot pile up boxes behind it.
void ShowApplicationErrorBox(QWidget* parent, const QString& message, FrameTimer* ticksToHold);

}  // namespace klv::shell
