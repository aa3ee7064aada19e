// The editor: one main window; closing it ends the program.

#include "shell/application.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    klv::shell::EditorApplication app(argc, argv);
    int result = 0;
    {
        klv::shell::TForm1 window;
        window.show();
        // Ask for the input focus as well: the level animates only while the
        // editor is active, and a bare X session has no window manager to
        // hand focus to a new window.
        window.activateWindow();
        result = app.exec();
    }
    return result;
}
