#pragma once

#include <string>
#include <vector>

#include "epub/epub_content.h"
#include "epub/epub_documents.h"

namespace folix {

// Where the package document lies, as the container file names it.
inline constexpr char kContentFolder[] = "OEBPS";
inline constexpr char kPackageDocumentName[] = "content.opf";

// META-INF/container.xml: where the reading system finds the package document.
std::string ContainerDocument();

// The package document: the metadata, every file of the e-book, and the reading order (the
// cover first when there is one, then the chapters in tree order). A vertical book's pages turn
// from right to left.
std::string PackageDocument(const EpubMetadata& book, const std::vector<EpubChapter>& chapters);

}  // namespace folix
