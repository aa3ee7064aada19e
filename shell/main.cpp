// The editor: one main window; closing it ends the program.

#include "shell/application.h"
#include "shell/main_window.h"

int main(int argc, char** argv) {
    klv::shell::EditorApplication app(argc, argv);
    int result = 0;
    {
        klv::shell::TForm1 window;
        window.show();
        result = app.exec();
    }
    return result;
}
