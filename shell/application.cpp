#include "shell/application.h"

#include <exception>

#include "shell/main_window.h"
#include "shell/message_boxes.h"
#include "shell/window_texts.h"

namespace klv::shell {

EditorApplication::EditorApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(kApplicationTitle);
}

bool EditorApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ShowUnhandledError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowUnhandledError(QStringLiteral("Unknown error"));
    }
    return false;
}

void EditorApplication::ShowUnhandledError(const QString& message) {
    lastUnhandledError_ = message;
    ShowApplicationErrorBox(Form1, message, Form1 ? Form1->DXTimer1 : nullptr);
}

}  // namespace klv::shell
