#include "site/page_templates.h"

namespace folix {
namespace {

constexpr char kHorizontalBodyRule[] =
    "BODY{\r\nmargin-left:0.5em;\r\nmargin-top:0.5em;\r\nmargin-right:0.5em;\r\n"
    "margin-bottom:0.5em;\r\nfont-family:ＭＳ Ｐ明朝\r\n}\r\n";

constexpr char kVerticalBodyRule[] =
    "BODY{\r\nmargin-left:1.0em;\r\nmargin-top:1.5em;\r\nmargin-right:1.0em;\r\n"
    "margin-bottom:1.0em;\r\nfont-family:ＭＳ Ｐ明朝\r\n}\r\n";

constexpr char kCommonRules[] =
    "H1{\r\ntext-align:center;\r\ncolor:#000000\r\n}\r\n"
    "H2{\r\ncolor:#000000\r\n}\r\n"
    "H3{\r\ncolor:#000000\r\n}\r\n"
    "H4{\r\ncolor:#000000\r\n}\r\n"
    "H5{\r\ncolor:#000000\r\n}\r\n"
    "H6{\r\ncolor:#000000\r\n}\r\n"
    "A:link{\r\ntext-decoration:underline;\r\ncolor:#0000E0\r\n}\r\n"
    "A:visited{\r\ntext-decoration:underline;\r\ncolor:#0000E0\r\n}\r\n"
    "A:active{\r\ntext-decoration:underline;\r\ncolor:#0000E0\r\n}\r\n"
    "DIV.modeTate{\r\nheight:96%;\r\nWRITING-MODE: tb-rl\r\n}\r\n"
    "DIV.modeYoko{\r\nWRITING-MODE: lr-tb\r\n}\r\n";

constexpr char kSixteenBreaks[] =
    "<BR><BR><BR><BR><BR><BR><BR><BR><BR><BR><BR><BR><BR><BR><BR><BR>\r\n";

}  // namespace

// getElementsByTagName rather than the old document.all.tags, which no browser of today has:
// with it the script failed and the page opened at its end.
const char kVerticalHeadScript[] =
    "<SCRIPT LANGUAGE=\"JavaScript\">\r\n<!--\r\n"
    "var coll = document.getElementsByTagName(\"H1\");\r\n"
    "function goTop(){if(location.hash == \"\"){coll[0].scrollIntoView(true);}}\r\n"
    "// -->\r\n</SCRIPT>\r\n";

std::string DefaultPageHead(const std::string& book_name, const std::string& style_name,
                            bool vertical) {
    std::string head = "<HTML>\r\n<HEAD>\r\n<TITLE>" + book_name +
                       "</TITLE>\r\n<LINK REL=STYLESHEET TYPE=\"text/css\" HREF=\"" + style_name +
                       "\">\r\n";
    if (!vertical) {
        return head + "</HEAD>\r\n<BODY>\r\n";
    }
    return head + kVerticalHeadScript +
           "</HEAD>\r\n<BODY onload=goTop()>\r\n<DIV class=\"modeTate\">\r\n<H1></H1>\r\n";
}

std::string DefaultPageTail(bool vertical) {
    if (!vertical) {
        return "</BODY></HTML>\r\n";
    }
    return std::string(kSixteenBreaks) + kSixteenBreaks + kSixteenBreaks + "</BODY></HTML>\r\n";
}

std::string DefaultPageStyle(bool vertical) {
    return std::string(vertical ? kVerticalBodyRule : kHorizontalBodyRule) + kCommonRules;
}

}  // namespace folix
