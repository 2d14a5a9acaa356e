#pragma once

#include <string>
#include <string_view>

namespace folix {

class Ui;

// A folder of output written whole or not at all: its files go into a hidden folder beside the
// target, which takes the target's place only when every file is on disk. A folder already
// there is replaced only when the writer says Yes, and never through a link.
class EpisodeFolder {
public:
    explicit EpisodeFolder(std::string target);
    ~EpisodeFolder();
    EpisodeFolder(const EpisodeFolder&) = delete;
    EpisodeFolder& operator=(const EpisodeFolder&) = delete;

    // The first failure sticks: later writes do nothing.
    void Write(const std::string& name, std::string_view bytes);
    // Puts the folder in place (asking first where one is there). False after the message when
    // it could not be written; true also when the writer said No (nothing changed then).
    bool Commit(Ui& ui, bool& placed);

    const std::string& target() const { return target_; }

private:
    std::string target_;
    std::string staging_;
    std::string failed_path_;
    int error_ = 0;
};

}  // namespace folix
