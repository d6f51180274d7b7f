#include "ui/startup.h"

#include "ui/apropos.h"
#include "ui/visu.h"

#include <QApplication>

namespace calidor {

int runCalidor() {
    installFontSubstitutions();
    TForm1 form;
    TFapropos about(&form);
    form.setAboutDialog(&about);
    form.show();
    return QApplication::exec();
}

} // namespace calidor
