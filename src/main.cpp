#include "hosted/engineprofile.h"
#include "main_window/form1.h"

#include <QApplication>
#include <QTextStream>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // The engine's sandbox cannot run as root; it stays on unless the user turns it off.
    if (geteuid() == 0 && qEnvironmentVariable("QTWEBENGINE_DISABLE_SANDBOX") != u"1") {
        QTextStream(stderr) << "tessarvine: the web engine's sandbox cannot run as root; run "
                               "Tessarvine as an ordinary user, or set "
                               "QTWEBENGINE_DISABLE_SANDBOX=1 to run it without the sandbox.\n";
        return 1;
    }

    // The engine shares its OpenGL contexts with the widgets; this must precede the app.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarvine"));
    QApplication::setDesktopFileName(QStringLiteral("tessarvine"));

    // Declared first so it is destroyed last, after every page of the window.
    EngineProfile profile;
    Form1 window(profile.factory());
    window.show();
    return app.exec();
}
