#pragma once

#include <optional>
#include <string>

namespace folix {

class DocumentHost;

// The editor's file through the tree's edits: a move or rename takes the document along to the
// new path, a delete empties the editor, so a save can never bring back a file the writer moved
// away or threw out.

// Where a path lies after `from` was moved to `to`: itself moved, or inside a moved folder.
// Nothing when the move does not concern it.
std::optional<std::string> PathAfterMove(const std::string& path, const std::string& from,
                                         const std::string& to);

// The document takes the new path when the move concerns its file.
void FollowMove(DocumentHost* host, const std::string& from, const std::string& to);

// Before `path` goes: the editor's changed file at or inside it is offered for saving first, so
// what the writer typed is in the trash too. False when a chosen save failed.
bool SaveBeforeRemoving(DocumentHost* host, const std::string& path);
// After `path` went: an editor holding it (or a file inside it) is emptied.
void ForgetRemoved(DocumentHost* host, const std::string& path);

}  // namespace folix
