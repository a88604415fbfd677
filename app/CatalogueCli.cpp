#include "app/CatalogueCli.h"

#include <cstdio>
#include <exception>
#include <new>

#include "app/Cli.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueDump.h"
#include "platform/QtConv.h"

namespace vx {

namespace {

int Failed(const QString& file, const std::string& problem) {
    std::fprintf(stderr, "vexelwork: %s: %s\n", file.toLocal8Bit().constData(), problem.c_str());
    return kCliFailed;
}

int Dump(const QString& file) {
    CCatalogue cat;
    if (std::string err = cat.Open(FromQString(file)); !err.empty()) return Failed(file, err);
    const std::string json = DumpCatalogueJson(cat);
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fflush(stdout);
    return kCliOk;
}

int Rewrite(const QString& in, const QString& out) {
    CCatalogue cat;
    if (std::string err = cat.Open(FromQString(in)); !err.empty()) return Failed(in, err);
    if (std::string err = cat.SaveAs(FromQString(out)); !err.empty()) return Failed(out, err);
    return kCliOk;
}

}  // namespace

int RunCatalogueCommand(const QStringList& pos) {
    RegisterCatalogueClasses();
    const QString sub = pos.value(1);
    const QString file = pos.value(2);
    try {
        if (sub == QLatin1String("dump") && pos.size() == 3) return Dump(file);
        if (sub == QLatin1String("rewrite") && pos.size() == 4) return Rewrite(file, pos[3]);
    } catch (const std::bad_alloc&) {
        return Failed(file, "not enough memory");
    } catch (const std::exception& e) {
        return Failed(file, e.what());
    }
    std::fprintf(stderr, "vexelwork: usage: vexelwork catalogue dump FILE.cat | catalogue rewrite IN.cat OUT.cat\n");
    return kCliFailed;
}

}  // namespace vx
