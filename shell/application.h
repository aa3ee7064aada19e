#pragma once
// The application object: an error that escapes an event handler is shown in
// the application's error box and the program goes on.

#include <QApplication>

namespace klv::shell {

class EditorApplication : public QApplication {
    Q_OBJECT
public:
    EditorApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // What happened last (for tests): the text shown, empty before any.
    const QString& LastUnhandledError() const { return lastUnhandledError_; }

private:
    void ShowUnhandledError(const QString& message);
    QString lastUnhandledError_;
};

}  // namespace klv::shell
