// Entry point of the vexelwork program.
#include <QCoreApplication>
#include <cstdio>

#include "app/Cli.h"
#include "model/HyperOleDoc.h"

int main(int argc, char** argv) {
    RegisterModelClasses();
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    QCoreApplication::setApplicationName(QStringLiteral("vexelwork"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEXELWORK_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("Ostrand"));
    if (vx::IsHeadlessCommand(args) || args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h")) ||
        args.contains(QLatin1String("--version")) || args.contains(QLatin1String("-v"))) {
        QCoreApplication app(argc, argv);
        QStringList all = app.arguments();
        return vx::RunHeadless(all);
    }
    std::fprintf(stderr, "vexelwork: the editor window is not available yet; use \"vexelwork dump FILE\".\n");
    return 1;
}
