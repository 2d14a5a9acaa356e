#include "treeedit/document_follow.h"

#include "platform/document_host.h"

namespace folix {
namespace {

bool IsAtOrInside(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.rfind(folder, 0) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

}  // namespace

std::optional<std::string> PathAfterMove(const std::string& path, const std::string& from,
                                         const std::string& to) {
    if (from == to || !IsAtOrInside(path, from)) {
        return std::nullopt;
    }
    return to + path.substr(from.size());
}

void FollowMove(DocumentHost* host, const std::string& from, const std::string& to) {
    if (host == nullptr) {
        return;
    }
    if (std::optional<std::string> moved = PathAfterMove(host->DocumentPath(), from, to)) {
        host->SetDocumentPath(*moved);
    }
}

bool SaveBeforeRemoving(DocumentHost* host, const std::string& path) {
    if (host == nullptr || !IsAtOrInside(host->DocumentPath(), path)) {
        return true;
    }
    return host->AskSaveIfModified();
}

void ForgetRemoved(DocumentHost* host, const std::string& path) {
    if (host != nullptr && IsAtOrInside(host->DocumentPath(), path)) {
        host->EmptyDocument();
    }
}

}  // namespace folix
