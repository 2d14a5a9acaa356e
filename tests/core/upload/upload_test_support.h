#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/memory_tree_control.h"
#include "support/ftp_test_server.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "upload/curl_ftp_client.h"
#include "upload/remote_tree.h"

namespace folix::testing {

// Timeouts short enough that a failure costs the suite seconds, not minutes.
inline constexpr FtpTimeouts kTestTimeouts{2000, 2000, 2000, 2};

// The labels of an item's children, folders with a trailing "/" and "+" when they show an
// expand button.
inline std::vector<std::string> ChildLabels(const TreeControl& tree, TreeItem item) {
    std::vector<std::string> labels;
    for (TreeItem child = tree.GetChildItem(item); child != kNoItem;
         child = tree.GetNextSiblingItem(child)) {
        std::string label = tree.GetItemText(child);
        if (tree.GetItemImage(child) == kRemoteFolderImage) {
            label += tree.GetChildItem(child) != kNoItem ? "/+" : "/";
        }
        labels.push_back(label);
    }
    std::sort(labels.begin(), labels.end());
    return labels;
}

inline TreeItem ChildNamed(const TreeControl& tree, TreeItem item, const std::string& label) {
    for (TreeItem child = tree.GetChildItem(item); child != kNoItem;
         child = tree.GetNextSiblingItem(child)) {
        if (tree.GetItemText(child) == label) {
            return child;
        }
    }
    ADD_FAILURE() << "no item " << label;
    return kNoItem;
}

}  // namespace folix::testing
