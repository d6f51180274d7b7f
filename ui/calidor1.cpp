// Calidor: a transient heat exchanger simulator for teaching heat transfer.
#include "ui/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return calidor::runCalidor();
}
