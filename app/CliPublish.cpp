// `vexelwork publish FILE.vxw [--category NAME]`: the publish of Publish >
// Server... without a window. Hosts, account, member name and proxy come
// from the settings; progress goes to stderr.
#include <QFileInfo>
#include <cstdio>

#include "app/Cli.h"
#include "model/HyperOleDoc.h"
#include "net/Publish.h"
#include "platform/QtConv.h"
#include "platform/Settings.h"

namespace vx {

namespace {

int Fail(const QString& file, std::string message) {
    for (char& c : message)
        if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "vexelwork: %s: %s\n", file.toLocal8Bit().constData(), message.c_str());
    return kCliFailed;
}

}  // namespace

int PublishDesign(const QString& file, const QString& category) {
    int categoryIndex = net::kDefaultCategory;
    if (!category.isEmpty()) {
        categoryIndex = net::CategoryIndex(FromQString(category));
        if (categoryIndex < 0) {
            std::string names;
            for (const char* n : net::kCategoryNames) names += std::string(names.empty() ? "" : ", ") + "\"" + n + "\"";
            return Fail(file, "unknown category \"" + FromQString(category) + "\" (use " + names + ")");
        }
    }
    CMyDoc doc;
    const LoadResult loaded = doc.LoadFromFile(FromQString(file));
    if (loaded.status == LoadResult::kFailed) return Fail(file, loaded.message);
    if (loaded.status == LoadResult::kPartial)
        return Fail(file, "the design is damaged and could only be partly read; it is not published");

    SettingsStore& store = SettingsStore::App();
    net::PublishRequest request;
    const std::string problem =
        net::MakePublishRequest({FromQString(QFileInfo(file).absoluteFilePath()), doc.title(), doc.description()},
                                categoryIndex, net::ReadExchangeSettings(store), net::ReadProxySettings(store),
                                request);
    if (!problem.empty()) return Fail(file, problem);

    const std::string name = request.upload.remoteName;
    int shown = -1;
    bool posting = false;
    const net::TransferResult r = net::RunPublish(request, [&](net::PublishStage stage, int64_t done, int64_t total) {
        if (stage == net::PublishStage::kUpload && total > 0) {
            const int step = int(done * 10 / total) * 10;
            if (step != shown) {
                shown = step;
                std::fprintf(stderr, "vexelwork: uploading %s: %d%%\n", name.c_str(), step);
            }
        } else if (stage == net::PublishStage::kPost && !posting) {
            posting = true;
            std::fprintf(stderr, "vexelwork: telling the exchange service about %s\n", name.c_str());
        }
        return true;
    });
    if (!r.ok()) return Fail(file, r.message);
    std::fprintf(stderr, "vexelwork: published %s\n", name.c_str());
    return kCliOk;
}

}  // namespace vx
