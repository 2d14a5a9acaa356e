#include "site/frame_templates.h"

#include "site/page_templates.h"

namespace folix {
namespace {

constexpr char kHorizontalContentsBodyRule[] =
    "BODY{\r\nmargin-left:1.0em;\r\nmargin-top:1.0em;\r\nmargin-right:0.1em;\r\n"
    "margin-bottom:1.0em;\r\nbackground-color:#FFFFF0;\r\nfont-size:80%;\r\n"
    "font-family:ＭＳ Ｐ明朝\r\n}\r\n";

constexpr char kVerticalContentsBodyRule[] =
    "BODY{\r\nmargin-left:1.0em;\r\nmargin-top:1.5em;\r\nmargin-right:1.0em;\r\n"
    "margin-bottom:1.0em;\r\nbackground-color:#FFFFF0;\r\nfont-size:80%;\r\n"
    "font-family:ＭＳ Ｐ明朝\r\n}\r\n";

constexpr char kContentsCommonRules[] =
    "H3{\r\ntext-decoration:none;\r\ncolor:#000000\r\n}\r\n"
    "H4{\r\ntext-decoration:none;\r\ncolor:#000000\r\n}\r\n"
    "DIV.marginTop{\r\nmargin-top:1.5em\r\n}\r\n"
    "DIV.marginLeft{\r\nmargin-left:1.5em\r\n}\r\n"
    "SPAN.target{\r\ntext-decoration:none;\r\ncolor:#C00000\r\n}\r\n"
    "SPAN.self{\r\ntext-decoration:none;\r\ncolor:#C00000\r\n}\r\n"
    "A:link{\r\ntext-decoration:none;\r\ncolor:#0000C0\r\n}\r\n"
    "A:visited{\r\ntext-decoration:none;\r\ncolor:#0000C0\r\n}\r\n"
    "A:active{\r\ntext-decoration:none;\r\ncolor:#0000C0\r\n}\r\n"
    "DIV.modeTate{\r\nheight:96%;\r\nWRITING-MODE: tb-rl\r\n}\r\n"
    "DIV.modeYoko{\r\nWRITING-MODE: lr-tb\r\n}\r\n";

constexpr char kMenuFrameAttributes[] =
    " NAME=\"menu\" FRAMEBORDER=0 MARGINHEIGHT=0 MARGINWIDTH=0 FRAMESPACING=0 SCROLLING=auto>\r\n";
constexpr char kMainFrameAttributes[] =
    " NAME=\"main\" FRAMEBORDER=0 MARGINHEIGHT=8 MARGINWIDTH=8 FRAMESPACING=0 SCROLLING=yes>\r\n";

// What every frameset ends with: a link to the text page for a browser without frames.
std::string NoFrames(const std::string& page_name) {
    return "</FRAMESET>\r\n\r\n<NOFRAMES>\r\n<A HREF=" + page_name +
           ">このブラウザではフレームがサポートされていません。</A>\r\n</NOFRAMES>\r\n</HTML>\r\n";
}

std::string RowsFrameset(const std::string& name, const std::string& book_name,
                         const std::string& top_name, const std::string& middle_name,
                         const std::string& bottom_name, const std::string& page_name) {
    return "<HTML>\r\n<TITLE>" + book_name + "</TITLE>\r\n<FRAMESET ROWS=\"82,*,41\" NAME=\"" +
           name + "\" FRAMEBORDER=0 FRAMESPACING=0>\r\n<FRAME SRC=" + top_name +
           " NAME=\"top\" FRAMEBORDER=0 MARGINHEIGHT=0 MARGINWIDTH=0 SCROLLING=\"NO\" NORESIZE "
           "BORDERCOLOR=#FFFFFF>\r\n<FRAME SRC=" +
           middle_name +
           " NAME=\"col\" FRAMEBORDER=0 MARGINHEIGHT=0 MARGINWIDTH=0 BORDERCOLOR=#FFFFFF>\r\n"
           "<FRAME SRC=" +
           bottom_name +
           " NAME=\"bot\" FRAMEBORDER=0 MARGINHEIGHT=0 MARGINWIDTH=0 SCROLLING=\"NO\" NORESIZE "
           "BORDERCOLOR=#FFFFFF>\r\n" +
           NoFrames(page_name);
}

}  // namespace

std::string DefaultContentsHead(const std::string& book_name,
                                const std::string& contents_style_name, bool vertical) {
    std::string head = "<HTML>\r\n<HEAD>\r\n<TITLE>" + book_name +
                       "</TITLE>\r\n<LINK REL=STYLESHEET TYPE=\"text/css\" HREF=\"" +
                       contents_style_name + "\">\r\n";
    if (!vertical) {
        return head + "</HEAD>\r\n<BODY>\r\n";
    }
    return head + kVerticalHeadScript +
           "</HEAD>\r\n<BODY onload=goTop()>\r\n<DIV class=\"modeTate\">\r\n<H1></H1>\r\n";
}

std::string DefaultContentsStyle(bool vertical) {
    return std::string(vertical ? kVerticalContentsBodyRule : kHorizontalContentsBodyRule) +
           kContentsCommonRules;
}

std::string DefaultColumnsFrameset(const std::string& book_name, const std::string& contents_name,
                                   const std::string& page_name, bool vertical) {
    const std::string menu_frame = "<FRAME SRC=" + contents_name + kMenuFrameAttributes;
    const std::string main_frame = "<FRAME SRC=" + page_name + kMainFrameAttributes;
    return "<HTML>\r\n<TITLE>" + book_name + "</TITLE>\r\n<FRAMESET COLS=\"" +
           (vertical ? "80%,*" : "20%,*") + "\" FRAMEBORDER=0 FRAMESPACING=0 >\r\n" +
           (vertical ? main_frame + menu_frame : menu_frame + main_frame) + NoFrames(page_name);
}

std::string DefaultRowsFrameset(const std::string& book_name, const std::string& top_name,
                                const std::string& columns_name, const std::string& bottom_name,
                                const std::string& page_name) {
    return RowsFrameset("row", book_name, top_name, columns_name, bottom_name, page_name);
}

std::string DefaultRows2Frameset(const std::string& book_name, const std::string& top_name,
                                 const std::string& bottom_name, const std::string& page_name) {
    return RowsFrameset("row2", book_name, top_name, page_name, bottom_name, page_name);
}

std::string DefaultStripPage() {
    return "<HTML>\r\n<BODY BGCOLOR=\"#F0FFF0\" TOPMARGIN=\"0\" LEFTMARGIN=\"0\">\r\n"
           "<!IMG SRC=\"\" ALT=\"\" BORDER=\"0\">\r\n</BODY>\r\n</HTML>\r\n";
}

}  // namespace folix
