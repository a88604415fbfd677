#include "app/Cli.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <exception>
#include <memory>
#include <new>

#include <sys/stat.h>

#include "app/CatalogueCli.h"
#include "model/HyperOleDoc.h"
#include "platform/QtConv.h"
#include "view/PageExport.h"

namespace vx {

namespace {

void Error(const QString& file, const std::string& problem) {
    std::fprintf(stderr, "vexelwork: %s: %s\n", file.toLocal8Bit().constData(), problem.c_str());
}

// Reads `file` into `doc`; reports problems. Returns the status so far.
int Load(CMyDoc& doc, const QString& file) {
    const LoadResult r = doc.LoadFromFile(FromQString(file));
    if (r.status == LoadResult::kFailed) {
        Error(file, r.message);
        return kCliFailed;
    }
    if (r.status == LoadResult::kPartial) {
        std::fprintf(stderr, "vexelwork: warning: %s: %s\n", file.toLocal8Bit().constData(), r.message.c_str());
        return kCliPartial;
    }
    return kCliOk;
}

int Dump(const QString& file) {
    CMyDoc doc;
    const int status = Load(doc, file);
    if (status == kCliFailed) return status;
    const std::string json = doc.DumpJson();
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fflush(stdout);
    return status;
}

// Output formats drawn from the page rather than stored.
bool IsImageSuffix(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg") || suffix == QLatin1String("pdf");
}

// True when both names lead to one file (through links, other spellings of
// the path or hard links); false when `out` does not exist yet.
bool SameFile(const QString& a, const QString& b) {
    struct stat sa, sb;
    if (::stat(a.toLocal8Bit().constData(), &sa) != 0 || ::stat(b.toLocal8Bit().constData(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int Export(const QString& in, const QString& out) {
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QLatin1String("vxw") && !IsImageSuffix(out)) {
        Error(out, "cannot export to ." + FromQString(suffix) + " (use .vxw, .png, .svg or .pdf)");
        return kCliFailed;
    }
    if (IsImageSuffix(out) && !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        Error(out, "exporting an image needs the graphical application object");
        return kCliFailed;
    }
    CMyDoc doc;
    const int status = Load(doc, in);
    if (status == kCliFailed) return status;
    // Writing over the design file itself would lose what could not be read,
    // or the whole design when an image is drawn over it; elsewhere is fine.
    if ((status == kCliPartial || IsImageSuffix(out)) && SameFile(in, out)) {
        Error(out, status == kCliPartial
                       ? "the design was only partly read; it is not written over its own file (write it to another file)"
                       : "this is the design file itself; it is not drawn over (write the image to another file)");
        return kCliFailed;
    }
    // The page is drawn as it is printed: white paper, no handles, PrintScale.
    const std::string err =
        suffix == QLatin1String("vxw") ? doc.SaveToFile(FromQString(out)) : ExportPage(doc.mainPage(), FromQString(out));
    if (!err.empty()) {
        Error(out, err);
        return kCliFailed;
    }
    return status;
}

// Qt's own notes (a missing runtime folder, font fallbacks) would break the
// one-line rule of the command line; only what stops Qt gets through.
void HeadlessMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    std::fprintf(stderr, "vexelwork: %s\n", text.toLocal8Bit().constData());
}

// Runs one command; allocation failure (a design too large for the memory
// there is) ends it with a message instead of an abort.
template <class F>
int Guarded(const QString& file, F&& command) {
    try {
        return command();
    } catch (const std::bad_alloc&) {
        Error(file, "not enough memory");
    } catch (const std::exception& e) {
        Error(file, e.what());
    }
    return kCliFailed;
}

}  // namespace

bool IsHeadlessCommand(const QStringList& args) {
    return !args.isEmpty() && (args.front() == QLatin1String("dump") || args.front() == QLatin1String("export") ||
                               args.front() == QLatin1String("catalogue") ||
                               args.front() == QLatin1String("publish"));
}

int RunHeadless(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Vexelwork design editor.\n\n"
        "Without a command, opens the editor (on FILE when given).\n"
        "Commands:\n"
        "  dump FILE.vxw          print the design as JSON\n"
        "  export IN.vxw OUT      write the design again (OUT.vxw) or draw its\n"
        "                         page as printed (OUT.png, OUT.svg, OUT.pdf)\n"
        "  catalogue dump FILE.cat              print the catalogue as JSON\n"
        "  catalogue rewrite IN.cat OUT.cat     write the catalogue again in full\n"
        "  publish FILE.vxw [--category NAME]\n"
        "                         upload the design to the exchange service and\n"
        "                         post its description (settings give the hosts)"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("dump, export, catalogue or publish"));
    const QCommandLineOption category(QStringLiteral("category"), QStringLiteral("publish: the forum category"),
                                      QStringLiteral("NAME"));
    parser.addOption(category);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("the files of the command"), QStringLiteral("[files...]"));
    parser.process(arguments);
    const QStringList pos = parser.positionalArguments();
    const QString command = pos.value(0);
    if (command == QLatin1String("dump")) {
        if (pos.size() != 2) {
            std::fprintf(stderr, "vexelwork: usage: vexelwork dump FILE.vxw\n");
            return kCliFailed;
        }
        return Guarded(pos[1], [&] { return Dump(pos[1]); });
    }
    if (command == QLatin1String("export")) {
        if (pos.size() != 3) {
            std::fprintf(stderr, "vexelwork: usage: vexelwork export IN.vxw OUT.vxw|OUT.png|OUT.svg|OUT.pdf\n");
            return kCliFailed;
        }
        return Guarded(pos[1], [&] { return Export(pos[1], pos[2]); });
    }
    if (command == QLatin1String("catalogue")) return RunCatalogueCommand(pos);
    if (command == QLatin1String("publish")) {
        if (pos.size() != 2) {
            std::fprintf(stderr, "vexelwork: usage: vexelwork publish FILE.vxw [--category NAME]\n");
            return kCliFailed;
        }
        return Guarded(pos[1], [&] { return PublishDesign(pos[1], parser.value(category)); });
    }
    std::fprintf(stderr, "vexelwork: unknown command \"%s\"\n", command.toLocal8Bit().constData());
    return kCliFailed;
}

int RunHeadlessMain(int& argc, char** argv) {
    // Look at the raw arguments before an application object exists.
    bool image = false;
    if (argc >= 4 && QString::fromLocal8Bit(argv[1]) == QLatin1String("export"))
        image = IsImageSuffix(QString::fromLocal8Bit(argv[argc - 1]));
    qInstallMessageHandler(HeadlessMessages);
    // The offscreen platform wants a private runtime folder and complains
    // when there is none; give it one that goes away with the process.
    std::unique_ptr<QTemporaryDir> runtimeDir;
    if (image && qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtimeDir = std::make_unique<QTemporaryDir>();
        // QTemporaryDir is open to its owner only, as a runtime folder must be.
        if (runtimeDir->isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir->path()));
    }
    std::unique_ptr<QCoreApplication> app;
    if (image) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    return RunHeadless(app->arguments());
}

}  // namespace vx
