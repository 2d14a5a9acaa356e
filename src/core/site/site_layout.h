#pragma once

#include "site/html_options.h"

namespace folix {

// The switches of one HTML build, with the two that follow from the others for its whole run.
struct SiteLayout {
    bool frame = true;           // the contents go into a frame of their own
    bool top_bottom = false;     // a top and a bottom strip around the rest
    bool vertical = false;       // the text runs top to bottom, right to left
    bool indent = true;          // <DD> rather than <DT> in the contents inside the text page
    bool level1_heading = true;  // first-level entries head the contents frame
    // A short list of the first-level entries before the rest; never in vertical writing.
    bool contents_of_contents = true;
    // One contents list of the whole book, apart from the walk that writes the pages.
    bool separate_contents = false;
    // The web-novel notation becomes ruby, emphasis dots and, in vertical writing, upright
    // digit runs up to upright_digits long; otherwise it is written as typed.
    bool notation = false;
    int upright_digits = 2;
};

inline SiteLayout LayoutOf(const HtmlOptions& options) {
    SiteLayout layout;
    layout.frame = options.frame;
    layout.top_bottom = options.top_bottom;
    layout.vertical = options.m_bVertical;
    layout.indent = options.indent_contents;
    layout.level1_heading = options.m_bLevel1Heading;
    layout.contents_of_contents = options.contents_of_contents && !options.m_bVertical;
    layout.separate_contents =
        !layout.contents_of_contents && (!options.frame || !options.m_bLevel1Heading);
    return layout;
}

}  // namespace folix
