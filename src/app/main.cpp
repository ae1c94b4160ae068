// SPDX-License-Identifier: MIT
#include "tchat.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    quibo::Tchat window;
    window.show();
    return app.exec();
}
