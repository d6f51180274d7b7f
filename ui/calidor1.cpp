// Calidor: a transient heat exchanger simulator for teaching heat transfer.
#include "ui/startup.h"

int main(int argc, char** argv) {
    return calidor::calidorMain(argc, argv);
}
