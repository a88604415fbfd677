// Entry point of the vexelwork program: a headless command when one is
// given, otherwise the editor (handing the files to a running editor when
// there is one).
#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "app/Cli.h"
#include "app/MainFrame.h"
#include "app/MyApp.h"
#include "app/PublishLink.h"
#include "app/SingleInstance.h"
#include "model/HyperOleDoc.h"
#include "publish/DownloadDlg.h"
#include "shapes/ShapeClasses.h"
#include "uml/UmlClasses.h"

int main(int argc, char** argv) {
    RegisterModelClasses();
    RegisterShapeClasses();
    RegisterUmlClasses();
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCoreApplication::setApplicationName(QStringLiteral("vexelwork"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXELWORK_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrand"));
    if (vx::IsHeadlessCommand(args) || args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h")) ||
        args.contains(QLatin1String("--version")) || args.contains(QLatin1String("-v"))) {
        return vx::RunHeadlessMain(argc, argv);
    }

    // A bare word that names no file is a mistyped command, not a design.
    if (!args.isEmpty() && !args.front().startsWith(QLatin1Char('-'))) {
        const QFileInfo first(args.front());
        if (!first.exists() && first.suffix().isEmpty() && !args.front().contains(QLatin1Char('/'))) {
            std::fprintf(stderr, "vexelwork: unknown command \"%s\" (see --help)\n", qPrintable(args.front()));
            return 1;
        }
    }

    PrepareDownloadWindow();
    QApplication app(argc, argv);
    DownloadWindow() = [](QWidget* parent, std::function<void(const QString&)> openDesign) {
        CDownloadDlg dlg(std::move(openDesign), parent);
        dlg.exec();
    };
    Q_INIT_RESOURCE(vexelwork);
    QStringList files;
    bool newInstance = false;
    QString screenshot;  // --screenshot=FILE: save a picture of the window and quit
    for (const QString& a : app.arguments().mid(1)) {
        if (a == QLatin1String("--new-instance")) newInstance = true;
        else if (a.startsWith(QLatin1String("--screenshot="))) screenshot = a.mid(13), newInstance = true;
        else if (!a.startsWith(QLatin1Char('-'))) files << QFileInfo(a).absoluteFilePath();
    }

    CSingleInstance instance;
    if (!newInstance && !files.isEmpty() && instance.SendToRunning(files)) return 0;

    CMyApp theApp;
    if (!theApp.InitInstance(files)) return 1;
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(1500, &app, [&] {
            const bool ok = theApp.mainFrame()->grab().save(screenshot);
            theApp.mainFrame()->close();
            app.exit(ok ? 0 : 1);
        });
    }
    if (!newInstance && instance.Listen())
        QObject::connect(&instance, &CSingleInstance::filesReceived, &theApp, &CMyApp::OpenFiles);
    return app.exec();
}
