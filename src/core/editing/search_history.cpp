#include "editing/search_history.h"

#include <algorithm>

#include "book/control_file.h"
#include "book/path_parts.h"

namespace folix {

std::string HistoryPath(const std::string& root_path, HistoryKind kind) {
    return JoinPath(root_path,
                    kind == HistoryKind::kFind ? kFindHistoryFileName : kReplaceHistoryFileName);
}

void PushHistory(std::vector<std::string>& entries, const std::string& text) {
    std::erase(entries, text);
    entries.insert(entries.begin(), text);
}

std::vector<std::string> ReadHistory(const std::vector<std::string>& entries) {
    const size_t count = std::min(entries.size(), kHistoryLimit);
    return {entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(count)};
}

void FillHistory(std::vector<std::string>& entries, const std::vector<std::string>& list) {
    entries.insert(entries.end(), list.begin(), list.end());
}

bool LoadHistory(Ui& ui, const std::string& root_path, HistoryKind kind,
                 std::vector<std::string>& list) {
    list.clear();
    ControlFile file;
    if (!ReadControlFile(ui, HistoryPath(root_path, kind), file)) {
        return false;
    }
    list = std::move(file.lines);
    return true;
}

bool StoreHistory(Ui& ui, const std::string& root_path, HistoryKind kind,
                  const std::vector<std::string>& list) {
    const std::string path = HistoryPath(root_path, kind);
    ControlFile file;
    if (!ReadControlFile(ui, path, file)) {
        return false;
    }
    file.lines.clear();
    std::copy_if(list.begin(), list.end(), std::back_inserter(file.lines),
                 [](const std::string& entry) { return entry.find("\r\n") == std::string::npos; });
    return WriteControlFile(ui, path, file);
}

}  // namespace folix
