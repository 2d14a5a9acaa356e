#pragma once

#include <string>

namespace folix {

// The templates of the contents page, its style sheet, the framesets and the top and bottom
// strips, with the texts a build puts into one it finds missing or empty. The frame sources are
// the bare file names, so the site works wherever it is copied as a whole.
inline constexpr char kContentsHeadTemplate[] = "menu.htx";
inline constexpr char kVerticalContentsHeadTemplate[] = "vmenu.htx";
inline constexpr char kContentsStyleTemplate[] = "menustyle.htx";
inline constexpr char kVerticalContentsStyleTemplate[] = "vmenustyle.htx";
inline constexpr char kColumnsTemplate[] = "col.htx";
inline constexpr char kVerticalColumnsTemplate[] = "vcol.htx";
inline constexpr char kRowsTemplate[] = "row.htx";
inline constexpr char kRows2Template[] = "row2.htx";
inline constexpr char kTopTemplate[] = "top.htx";
inline constexpr char kBottomTemplate[] = "bot.htx";

// The end of the contents page, after its lines.
inline constexpr char kContentsPageEnd[] = "</BODY></HTML>";

std::string DefaultContentsHead(const std::string& book_name,
                                const std::string& contents_style_name, bool vertical);
std::string DefaultContentsStyle(bool vertical);

// Contents and text side by side: contents left (20%) in horizontal writing, text left (80%)
// with the contents right in vertical writing, whose lines run right to left.
std::string DefaultColumnsFrameset(const std::string& book_name, const std::string& contents_name,
                                   const std::string& page_name, bool vertical);
// A top strip, the middle frame, a bottom strip. The middle is the columns frameset ("row.htx")
// or, without a contents frame, the text page itself ("row2.htx").
std::string DefaultRowsFrameset(const std::string& book_name, const std::string& top_name,
                                const std::string& columns_name, const std::string& bottom_name,
                                const std::string& page_name);
std::string DefaultRows2Frameset(const std::string& book_name, const std::string& top_name,
                                 const std::string& bottom_name, const std::string& page_name);
// A plain pale page with an image tag left for the writer to fill in; top and bottom alike.
std::string DefaultStripPage();

}  // namespace folix
