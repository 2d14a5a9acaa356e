#include "count/manuscript_settings.h"

#include "book/fixed_layout.h"
#include "book/path_parts.h"
#include "count/count_settings.h"

namespace folix {
namespace {

constexpr size_t kManuscriptLineCount = 9;

}  // namespace

bool IsManuscriptPaper(const std::string& paper) {
    return paper == "A4" || paper == "B5" || paper == "A5" || paper == "B4";
}

ManuscriptSettings LoadManuscriptSettings(Ui& ui, const std::string& root_path) {
    ManuscriptSettings settings;
    ControlFile file;
    if (!ReadFixedLayout(ui, JoinPath(root_path, kManuscriptSettingsFileName), kManuscriptLineCount,
                         file)) {
        return settings;
    }
    const std::vector<std::string>& line = file.lines;
    settings.grid = ParseGrid(line[0]);
    if (IsManuscriptPaper(line[1])) {
        settings.paper = line[1];
    }
    if (line[2] == "landscape" || line[2] == "portrait") {
        settings.orientation = line[2];
    }
    settings.horizontal = ParseControlBool(line[3]);
    settings.ruled = ParseControlBool(line[4]);
    settings.title_page = line[5] != "false";
    settings.title = line[6];
    settings.author = line[7];
    settings.last_written = line[8];
    return settings;
}

bool SaveManuscriptSettings(Ui& ui, const std::string& root_path,
                            const ManuscriptSettings& settings) {
    return WriteFixedLayout(ui, JoinPath(root_path, kManuscriptSettingsFileName),
                            {
                                settings.grid ? FormatGrid(*settings.grid) : std::string(),
                                settings.paper,
                                settings.orientation,
                                FormatControlBool(settings.horizontal),
                                FormatControlBool(settings.ruled),
                                FormatControlBool(settings.title_page),
                                settings.title,
                                settings.author,
                                settings.last_written,
                            });
}

}  // namespace folix
