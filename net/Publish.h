// Publishing a design: the categories and their forums, the request built
// from the design, the settings and the chosen category, and the run that
// uploads the file and then posts the form (only after a successful upload).
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "net/ExchangeSettings.h"
#include "net/Transfer.h"

namespace vx::net {

// The category names in their combo order, and the forum of each.
inline constexpr std::array<const char*, 3> kCategoryNames = {"Design Patterns", "Architecture Patterns",
                                                               "Miscellaneous Designs"};
inline constexpr std::array<int, 3> kForumTable = {2, 3, 6};
inline constexpr int kDefaultCategory = 2;
inline constexpr const char* kProjectName = "Public submission";
inline constexpr const char* kNoDescription = "No description given";
inline constexpr const char* kUploadPath = "/uploadesign.asp";

// The forum of a category index; any other index gives 6.
int ForumIdForCategory(int index);
// The index of a category name (case ignored); -1 when there is none.
int CategoryIndex(std::string_view name);

// What is published: the design file and the document's texts.
struct DesignInfo {
    std::string path;
    std::string title;
    std::string description;
};

struct PublishRequest {
    UploadJob upload;
    std::string postUrl;
    std::string formData;
    TransferOptions options;
};

// Builds the request. Returns an empty string, or why there is nothing to
// publish (no design file, no proxy address).
std::string MakePublishRequest(const DesignInfo& design, int categoryIndex, const ExchangeSettings& exchange,
                               const ProxySettings& proxy, PublishRequest& out);

// Which step a progress report is about.
enum class PublishStage { kUpload, kPost };
using PublishProgressFn = std::function<bool(PublishStage stage, int64_t done, int64_t total)>;

// Uploads, then posts when the upload succeeded. The result names the step
// that failed.
TransferResult RunPublish(const PublishRequest& request, const PublishProgressFn& progress);

}  // namespace vx::net
