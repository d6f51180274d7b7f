// Calidor's start-up: the application, then the main window.
#include "ui/visu.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    calidor::TForm1 form;
    form.show();
    return app.exec();
}
